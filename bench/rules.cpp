#include "micro.h"

#include "common/faults.h"
#include "common/numerictext.h"

#include <benchmark/benchmark.h>

#include <QString>

// The numeric text rules per call, against what Qt's own conversions take for the same work.
namespace {

// What a box holds while a user types a height, and a result the energy calculator writes.
const QString kTyped = QStringLiteral("170.5");
const double kResult = 1521.4500000000003;

template <typename Work>
void measure(benchmark::State &state, Work work)
{
    const std::size_t before = bench::allocationCount();
    for (auto _ : state)
        work();
    state.counters["allocs"] = benchmark::Counter(double(bench::allocationCount() - before),
                                                  benchmark::Counter::kAvgIterations);
}

void ReadLenient(benchmark::State &state)
{
    measure(state, [] { benchmark::DoNotOptimize(common::ReadLenient(kTyped)); });
}

void ReadStrict(benchmark::State &state)
{
    measure(state, [] { benchmark::DoNotOptimize(common::ReadStrict(kTyped)); });
}

void ReadStrictFailing(benchmark::State &state)
{
    const QString text = QStringLiteral("17o.5");
    measure(state, [&] {
        try {
            benchmark::DoNotOptimize(common::ReadStrict(text));
        } catch (const common::TypeMismatch &) {
        }
    });
}

void QtToDouble(benchmark::State &state)
{
    measure(state, [] {
        bool ok = false;
        benchmark::DoNotOptimize(QStringView(kTyped).toDouble(&ok));
    });
}

void DisplayText(benchmark::State &state)
{
    measure(state, [] { benchmark::DoNotOptimize(common::DisplayText(kResult)); });
}

void QtNumber(benchmark::State &state)
{
    measure(state, [] { benchmark::DoNotOptimize(QString::number(kResult, 'g', 15)); });
}

BENCHMARK(ReadLenient);
BENCHMARK(ReadStrict);
BENCHMARK(ReadStrictFailing);
BENCHMARK(QtToDouble);
BENCHMARK(DisplayText);
BENCHMARK(QtNumber);

} // namespace

int main(int argc, char *argv[])
{
    return bench::runMicroBenchmarks(argc, argv,
                                     {
                                         {"ReadLenient \"170.5\", per call", "rules", "ReadLenient", "QtToDouble", "-", "0"},
                                         {"ReadStrict \"170.5\", per call", "rules", "ReadStrict", "QtToDouble", "-", "0"},
                                         {"ReadStrict \"17o.5\" (fault), per call", "rules", "ReadStrictFailing", "QtToDouble", "-", "-"},
                                         {"DisplayText 1521.45, per call", "rules", "DisplayText", "QtNumber", "-", "-"},
                                     },
                                     "ns");
}

#include "micro.h"

#include "table.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

std::atomic<std::size_t> g_allocations{0};

struct Figures {
    double secondsPerIteration = 0;
    double allocationsPerIteration = 0;
};

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    CollectingReporter() : ConsoleReporter(isatty(STDERR_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.iterations == 0 || run.run_type != Run::RT_Iteration)
                continue;
            Figures &figures = results[run.benchmark_name()];
            figures.secondsPerIteration = run.real_accumulated_time / double(run.iterations);
            if (const auto counter = run.counters.find("allocs"); counter != run.counters.end())
                figures.allocationsPerIteration = counter->second.value;
        }
    }

    std::map<std::string, Figures> results;
};

} // namespace

// Every heap allocation of the process passes through malloc, calloc or realloc: operator new
// and Qt's containers alike. These definitions in the executable come before the C library's and
// count each call. Under AddressSanitizer, which has its own allocator, nothing is counted.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kCountsAllocations = false;
#else
constexpr bool kCountsAllocations = true;

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);

void *malloc(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void *calloc(std::size_t count, std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void *realloc(void *p, std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}
#endif

namespace bench {

std::size_t allocationCount()
{
    return g_allocations.load(std::memory_order_relaxed);
}

int runMicroBenchmarks(int argc, char *argv[], const std::vector<Comparison> &comparisons, const char *unit)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    // The library's own report goes to the error stream; the table rows alone to the output.
    CollectingReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double scale = std::string(unit) == "ns" ? 1e9 : 1e6;
    for (const Comparison &c : comparisons) {
        const auto subject = reporter.results.find(c.benchmark);
        const auto reference = reporter.results.find(c.reference);
        if (subject == reporter.results.end() || reference == reporter.results.end())
            continue;  // left out by --benchmark_filter
        printRow(c.measure, c.subject, subject->second.secondsPerIteration * scale,
                 reference->second.secondsPerIteration * scale, unit, c.timeGoal);
        if (kCountsAllocations)
            printRow(c.measure + ", allocs", c.subject, subject->second.allocationsPerIteration,
                     reference->second.allocationsPerIteration, "", c.allocationGoal);
    }
    return 0;
}

} // namespace bench

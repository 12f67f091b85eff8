#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Runs the Google Benchmark cases registered in an executable, with the library's usual report on
// the error stream, then prints rows of the benchmark table that set a case against its reference.
namespace bench {

struct Comparison {
    std::string measure;
    std::string subject;
    std::string benchmark;  // name of the case measured
    std::string reference;  // name of the reference case
    std::string timeGoal;
    std::string allocationGoal;
};

// Time per iteration, in `unit` ("ns" or "us"), and the "allocs" counter (allocations per
// iteration) of each case.
int runMicroBenchmarks(int argc, char *argv[], const std::vector<Comparison> &comparisons, const char *unit);

// Heap allocations made by this process so far.
std::size_t allocationCount();

} // namespace bench

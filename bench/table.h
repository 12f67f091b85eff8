#pragma once

#include <cstdio>
#include <string>

// One row of the benchmark table that scripts/bench.sh prints: a measure of one subject, its
// reference measured in the same run, their ratio and the goal.
namespace bench {

inline void printHeader()
{
    std::printf("%-52s %-9s %12s %12s %6s  %s\n", "Measure", "Subject", "Value", "Reference", "Ratio", "Goal");
}

inline void printRow(const std::string &measure, const std::string &subject, double value, double reference,
                     const char *unit, const std::string &goal)
{
    char ratio[32] = "-";
    if (reference > 0)
        std::snprintf(ratio, sizeof ratio, "%.2f", value / reference);
    std::printf("%-52s %-9s %9.2f %-2s %9.2f %-2s %6s  %s\n", measure.c_str(), subject.c_str(), value, unit,
                reference, unit, ratio, goal.c_str());
}

} // namespace bench

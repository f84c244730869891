#pragma once

// Prints what the console reporter prints and keeps each benchmark's median
// real and CPU times, so that the run can end with the ratios between them.
// Real time is what the user waits; CPU time leaves out the moments another
// process had the core, so it is the steadier figure on a busy machine.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>

namespace bench {

struct Medians {
    double realMicroseconds;
    double cpuMicroseconds;
};

class MedianReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& reports) override;

    /// Median times per iteration, if the benchmark ran.
    std::optional<Medians> medians(const std::string& name) const;

    bool anyFailed() const { return anyFailed_; }

private:
    std::map<std::string, Medians> medians_;
    bool anyFailed_ = false;
};

} // namespace bench

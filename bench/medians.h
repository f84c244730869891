#pragma once

// Runs the registered benchmarks, printing what the console reporter prints,
// and ends with a summary of their medians and the ratios between them. Real
// time is what the user waits; CPU time leaves out the moments another
// process had the core, so it is the steadier figure on a busy machine.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench {

/// A line of the summary: the medians of the benchmark `over`, or, given
/// `under`, their ratios to the sums of those of `under`. A target of 0 is none.
struct SummaryLine {
    std::string what;
    std::string over;
    std::vector<std::string> under = {};
    double target = 0;
};

/// Lines whose benchmarks did not run are left out.
struct Summary {
    std::string title;
    /// The columns: "real", "CPU" (both microseconds per iteration) or a counter's name.
    std::vector<std::string> figures;
    std::vector<SummaryLine> lines;
};

/// Runs the benchmarks with `defaults` as arguments, overridden by
/// `arguments` (the program's name first), and prints the summary. Returns the
/// exit status: 1 when an argument was not understood or a benchmark failed.
int runBenchmarks(std::vector<char*> arguments, std::vector<std::string> defaults,
                  const Summary& summary);

} // namespace bench

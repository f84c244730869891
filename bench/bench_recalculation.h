#pragma once

// Measurements of one recalculation for a fixed input, against the floors of
// what it must cost (bench_recalculation.cpp lists them), and the summary of
// their medians and ratios.

#include "median_reporter.h"

#include <ostream>

namespace bench {

/// How long each benchmark runs: long enough for medians to compare, or once
/// and briefly, to see that it runs at all (CI).
enum class Length { measured, brief };

/// Needs a QApplication.
void registerRecalculationBenchmarks(Length length);

/// The medians and the ratios of the recalculations to the floors.
void printSummary(std::ostream& out, const MedianReporter& reporter);

} // namespace bench

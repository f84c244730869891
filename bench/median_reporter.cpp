#include "median_reporter.h"

#include "bench_recalculation.h"

#include <algorithm>
#include <iomanip>

namespace bench {

namespace {

constexpr double recalculationTarget = 1.25;

double toMicroseconds(double time, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return time / 1e3;
    case benchmark::kMicrosecond:
        return time;
    case benchmark::kMillisecond:
        return time * 1e3;
    case benchmark::kSecond:
        return time * 1e6;
    }
    return time;
}

/// Whether a run ended in an error instead of a measurement. Google Benchmark
/// 1.8 replaced the flag `error_occurred` (Debian 12 has 1.7) by the field
/// `skipped`, which also tells an error from a deliberate skip.
template <typename BenchmarkRun> bool endedInError(const BenchmarkRun& run)
{
    if constexpr (requires { run.skipped; })
        return run.skipped == decltype(run.skipped)::SkippedWithError;
    else
        return run.error_occurred;
}

} // namespace

void MedianReporter::ReportRuns(const std::vector<Run>& reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (endedInError(run)) {
            anyFailed_ = true;
            continue;
        }
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            medians_[run.run_name.function_name] = {
                toMicroseconds(run.GetAdjustedRealTime(), run.time_unit),
                toMicroseconds(run.GetAdjustedCPUTime(), run.time_unit)};
    }
}

std::optional<Medians> MedianReporter::medians(const std::string& name) const
{
    const auto found = medians_.find(name);
    if (found == medians_.end())
        return std::nullopt;
    return found->second;
}

void printSummary(std::ostream& out, const MedianReporter& reporter)
{
    const auto recalculation = reporter.medians(recalculationName);
    const auto clickFloor = reporter.medians(clickFloorName);
    const auto drawingFloor = reporter.medians(drawingFloorName);
    const auto arithmetic = reporter.medians(arithmeticName);
    const auto withAccessibility = reporter.medians(withAccessibilityName);
    const auto withoutButton = reporter.medians(withoutButtonName);
    std::optional<Medians> drawingAndArithmetic;
    if (drawingFloor && arithmetic)
        drawingAndArithmetic = {drawingFloor->realMicroseconds + arithmetic->realMicroseconds,
                                drawingFloor->cpuMicroseconds + arithmetic->cpuMicroseconds};

    constexpr int width = 58;
    out << "\nMedians of one recalculation (Moo 0.5, H/L 0.1):\n"
        << std::fixed << std::setprecision(1) << "  " << std::left << std::setw(width) << ""
        << std::right << std::setw(12) << "real" << std::setw(12) << "CPU" << '\n';
    auto line = [&](const char* what, const std::optional<Medians>& m) {
        if (m)
            out << "  " << std::left << std::setw(width) << what << std::right << std::setw(9)
                << m->realMicroseconds << " us" << std::setw(9) << m->cpuMicroseconds << " us\n";
    };
    line("recalculation (click until both plots are drawn)", recalculation);
    line("click floor (a bare button's click paints the segments)", clickFloor);
    line("drawing floor (the same segments painted, nothing else)", drawingFloor);
    line("arithmetic (both plot procedures, no drawing)", arithmetic);
    line("recalculation with assistive technology listening", withAccessibility);
    line("recalculation without the button's repaints", withoutButton);

    auto ratio = [&](const char* what, const std::optional<Medians>& over,
                     const std::optional<Medians>& under, double target) {
        if (!over || !under)
            return;
        const double real = over->realMicroseconds / under->realMicroseconds;
        const double cpu = over->cpuMicroseconds / under->cpuMicroseconds;
        out << "  " << std::left << std::setw(width) << what << std::right << std::setprecision(3)
            << std::setw(12) << real << std::setw(12) << cpu;
        if (target > 0)
            out << "   target <= " << std::setprecision(2) << target
                << (std::max(real, cpu) <= target ? ", met" : ", NOT MET");
        out << '\n';
    };
    ratio("recalculation / click floor", recalculation, clickFloor, recalculationTarget);
    ratio("recalculation / (drawing floor + arithmetic)", recalculation, drawingAndArithmetic,
          recalculationTarget);
    ratio("recalculation with assistive technology / click floor", withAccessibility, clickFloor,
          0.0);
    ratio("recalculation without button repaints / click floor", withoutButton, clickFloor, 0.0);
    ratio("arithmetic / click floor", arithmetic, clickFloor, 0.0);
}

} // namespace bench

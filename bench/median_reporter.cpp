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

} // namespace

void MedianReporter::ReportRuns(const std::vector<Run>& reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.error_occurred) {
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
    const auto floor = reporter.medians(floorName);
    const auto arithmetic = reporter.medians(arithmeticName);
    const auto withoutButton = reporter.medians(withoutButtonName);

    out << "\nMedians of one recalculation (Moo 0.5, H/L 0.1):\n"
        << std::fixed << std::setprecision(1) << "  " << std::left << std::setw(50) << ""
        << std::right << std::setw(12) << "real" << std::setw(12) << "CPU" << '\n';
    auto line = [&](const char* what, const std::optional<Medians>& m) {
        if (m)
            out << "  " << std::left << std::setw(50) << what << std::right << std::setw(9)
                << m->realMicroseconds << " us" << std::setw(9) << m->cpuMicroseconds << " us\n";
    };
    line("recalculation (click until both plots are drawn)", recalculation);
    line("floor (the same segments painted, nothing else)", floor);
    line("arithmetic (both plot procedures, no drawing)", arithmetic);
    line("recalculation without the button's repaints", withoutButton);

    auto ratio = [&](const char* what, const std::optional<Medians>& over, double target) {
        if (!over || !floor)
            return;
        const double real = over->realMicroseconds / floor->realMicroseconds;
        const double cpu = over->cpuMicroseconds / floor->cpuMicroseconds;
        out << "  " << std::left << std::setw(50) << what << std::right << std::setprecision(3)
            << std::setw(12) << real << std::setw(12) << cpu;
        if (target > 0)
            out << "   target <= " << std::setprecision(2) << target
                << (std::max(real, cpu) <= target ? ", met" : ", NOT MET");
        out << '\n';
    };
    ratio("recalculation / floor", recalculation, recalculationTarget);
    ratio("arithmetic / floor", arithmetic, 0.0);
    ratio("recalculation without button repaints / floor", withoutButton, 0.0);
}

} // namespace bench

#include "median_reporter.h"

namespace bench {

namespace {

double toMicroseconds(double time, benchmark::TimeUnit unit)
{
    return time * (1e6 / benchmark::GetTimeUnitMultiplier(unit));
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
        anyFailed_ = anyFailed_ || endedInError(run);
        if (!endedInError(run) && run.run_type == Run::RT_Aggregate &&
            run.aggregate_name == "median")
            medians_[run.run_name.function_name] = {
                toMicroseconds(run.GetAdjustedRealTime(), run.time_unit),
                toMicroseconds(run.GetAdjustedCPUTime(), run.time_unit)};
    }
}

std::optional<Medians> MedianReporter::medians(const std::string& name) const
{
    const auto found = medians_.find(name);
    return found == medians_.end() ? std::nullopt : std::optional(found->second);
}

} // namespace bench

#include "medians.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <map>

#include <unistd.h>

namespace bench {

namespace {

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

/// Prints what the console reporter prints and keeps each benchmark's medians.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            anyFailed = anyFailed || endedInError(run);
            if (endedInError(run) || run.run_type != Run::RT_Aggregate ||
                run.aggregate_name != "median")
                continue;
            auto& figures = medians[run.run_name.function_name];
            const double microseconds = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            figures = {{"real", run.GetAdjustedRealTime() * microseconds},
                       {"CPU", run.GetAdjustedCPUTime() * microseconds}};
            for (const auto& [name, counter] : run.counters)
                figures[name] = counter.value;
        }
    }

    /// NaN if the benchmark did not run.
    double median(const std::string& benchmark, const std::string& figure) const
    {
        const auto found = medians.find(benchmark);
        return found != medians.end() && found->second.contains(figure) ? found->second.at(figure)
                                                                        : std::nan("");
    }

    std::map<std::string, std::map<std::string, double>> medians;
    bool anyFailed = false;
};

void printSummary(std::ostream& out, const MedianReporter& reporter, const Summary& summary)
{
    constexpr int labelWidth = 58, figureWidth = 16;
    out << '\n' << summary.title << ":\n  " << std::setw(labelWidth) << "" << std::fixed;
    for (const std::string& figure : summary.figures)
        out << std::setw(figureWidth) << figure;
    out << '\n';
    for (const SummaryLine& line : summary.lines) {
        std::vector<double> values;
        for (const std::string& figure : summary.figures) {
            double under = line.under.empty() ? 1.0 : 0.0;
            for (const std::string& benchmark : line.under)
                under += reporter.median(benchmark, figure);
            values.push_back(reporter.median(line.over, figure) / under);
        }
        if (std::ranges::any_of(values, [](double value) { return std::isnan(value); }))
            continue;
        out << "  " << std::left << std::setw(labelWidth) << line.what << std::right;
        for (const double value : values)
            if (line.under.empty())
                out << std::setprecision(1) << std::setw(figureWidth - 3) << value << " us";
            else
                out << std::setprecision(3) << std::setw(figureWidth) << value;
        if (line.target > 0)
            out << "   target <= " << std::setprecision(2) << line.target
                << (std::ranges::max(values) <= line.target ? ", met" : ", NOT MET");
        out << '\n';
    }
}

} // namespace

int runBenchmarks(std::vector<char*> arguments, std::vector<std::string> defaults,
                  const Summary& summary)
{
    // The repetitions of all benchmarks run in random order, so that a slow
    // spell of the machine spreads over all of them instead of skewing one
    // benchmark's median and with it the ratios.
    defaults.insert(defaults.begin(), "--benchmark_enable_random_interleaving=true");
    for (std::string& argument : defaults)
        arguments.insert(arguments.begin() + 1, argument.data());
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    MedianReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(std::cout, reporter, summary);
    return reporter.anyFailed ? 1 : 0;
}

} // namespace bench

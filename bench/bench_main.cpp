// Measures one recalculation against the cost of painting its segments and
// ends with the medians and their ratios. The main window runs on the
// offscreen platform, so no display is needed. With --brief, each benchmark
// runs a few iterations once: a check that they all still run, whose figures
// mean little.

#include "bench_recalculation.h"

#include <QApplication>

#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says once for every window shown that it ignores
// size hints; that tells nothing about the measurements.
void dropSizeHintNotice(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(dropSizeHintNotice);
    QApplication app(argc, argv);

    // The repetitions of all benchmarks run in random order, so that a slow
    // spell of the machine spreads over all of them instead of skewing one
    // benchmark's median and with it the ratios. Arguments given override it.
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments(argv, argv + argc);
    const auto brief =
        std::find(arguments.begin() + 1, arguments.end(), std::string_view("--brief"));
    const auto length = brief == arguments.end() ? bench::Length::measured : bench::Length::brief;
    if (brief != arguments.end())
        arguments.erase(brief);
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    bench::registerRecalculationBenchmarks(length);

    bench::MedianReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                         : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bench::printSummary(std::cout, reporter);
    return reporter.anyFailed() ? 1 : 0;
}

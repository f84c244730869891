#include "bench_recalculation.h"

#include "flow_half.h"
#include "qt_colour.h"
#include "recorded_segments.h"
#include "shown_form.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <exception>
#include <stdexcept>

namespace bench {

namespace {

// The input typed into the text boxes before the clicks.
constexpr double inputMoo = 0.5;
constexpr double inputHbL = 0.1;
const QString inputMooText = QStringLiteral("0.5");
const QString inputHbLText = QStringLiteral("0.1");

constexpr int repetitions = 15;
constexpr double minSecondsPerRepetition = 0.2;

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(ui::toQColor(flow::colours::lightYellow));
    return image;
}

/// The floor's segments, mapped onto images the size of the picture boxes'
/// images, and checked once to paint exactly the pixels the program paints.
const DevicePlots& floorPlots()
{
    static const DevicePlots plots = [] {
        ShownForm shown;
        shown.typeInputs(inputMooText, inputHbLText);
        shown.clickHesapla();
        const QImage streamlines = shown.Picture_Akim->renderedImage();
        const QImage pressure = shown.Picture_basinc->renderedImage();
        DevicePlots recorded =
            recordDevicePlots(inputMoo, inputHbL, streamlines.size(), pressure.size());

        QImage floorStreamlines = blankImage(streamlines.size());
        QImage floorPressure = blankImage(pressure.size());
        drawSegments(floorStreamlines, recorded.streamlines);
        drawSegments(floorPressure, recorded.pressure);
        if (floorStreamlines != streamlines || floorPressure != pressure)
            throw std::runtime_error("the floor does not paint the pixels the program paints");
        return recorded;
    }();
    return plots;
}

/// Clicks HESAPLA in a shown main window with the input typed in, until both
/// picture boxes hold the new plots.
void measureRecalculation(benchmark::State& state, void (ShownForm::*click)())
{
    try {
        ShownForm shown;
        shown.typeInputs(inputMooText, inputHbLText);
        (shown.*click)();
        shown.takeImages();
        const flow::FlowHalf& values = shown.form().flowHalf();
        if (values.H() != inputHbL || values.Beta() != std::sqrt(1.0 - inputMoo * inputMoo))
            throw std::runtime_error("the click did not take the typed input");

        const int clicksBefore = shown.clicks();
        for (auto _ : state) {
            (shown.*click)();
            shown.takeImages();
            // The window repaints between a user's clicks; that is not part
            // of the recalculation.
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        if (shown.clicks() - clicksBefore != state.iterations())
            state.SkipWithError("a click did not reach HESAPLA");
        if (shown.reportedErrors() != 0)
            state.SkipWithError("the recalculation reported an error");
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void recalculation(benchmark::State& state)
{
    measureRecalculation(state, &ShownForm::clickHesapla);
}

void recalculationWithoutButtonRepaints(benchmark::State& state)
{
    measureRecalculation(state, &ShownForm::clickHesaplaWithoutMouse);
}

void floorPainting(benchmark::State& state)
{
    try {
        const DevicePlots& plots = floorPlots();
        QImage streamlines = blankImage(plots.streamlines.size);
        QImage pressure = blankImage(plots.pressure.size);
        for (auto _ : state) {
            drawSegments(streamlines, plots.streamlines);
            drawSegments(pressure, plots.pressure);
            benchmark::DoNotOptimize(streamlines.constBits());
            benchmark::DoNotOptimize(pressure.constBits());
            benchmark::ClobberMemory();
        }
        state.counters["segments"] =
            double(plots.streamlines.segments.size() + plots.pressure.segments.size());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

class DiscardingSurface : public flow::PlotSurface {
public:
    void Cls() override {}
    void Scale(float, float, float, float) override {}
    void Line(float, float, float, float, flow::Colour) override {}
};

void arithmetic(benchmark::State& state)
{
    try {
        DiscardingSurface surface;
        flow::FlowHalf flow(surface, surface);
        flow.Form_Load();
        flow.setBeta(inputMoo);
        flow.setH(inputHbL);
        for (auto _ : state) {
            flow.akim_ciz();
            flow.basinc_ciz();
            benchmark::ClobberMemory();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void medianOfRepetitions(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMicrosecond)
        ->MinTime(minSecondsPerRepetition)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true);
}

} // namespace

void registerRecalculationBenchmarks()
{
    medianOfRepetitions(benchmark::RegisterBenchmark(recalculationName, recalculation));
    medianOfRepetitions(benchmark::RegisterBenchmark(floorName, floorPainting));
    medianOfRepetitions(benchmark::RegisterBenchmark(arithmeticName, arithmetic));
    medianOfRepetitions(
        benchmark::RegisterBenchmark(withoutButtonName, recalculationWithoutButtonRepaints));
}

} // namespace bench

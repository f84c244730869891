#include "bench_recalculation.h"

#include "click_floor.h"
#include "flow_half.h"
#include "form1_fixture.h"
#include "listening_screen_reader.h"
#include "qt_colour.h"
#include "recorded_segments.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

namespace bench {

namespace {

// The input typed into the text boxes before the clicks.
constexpr double inputMoo = 0.5;
constexpr double inputHbL = 0.1;
const QString inputMooText = QStringLiteral("0.5");
const QString inputHbLText = QStringLiteral("0.1");

} // namespace

/// A shown main window with the benchmarks' input typed into its boxes.
struct ShownForm : Form1Fixture {
    ShownForm()
    {
        if (!exposed())
            throw std::runtime_error("the main window was never exposed");
        for (const auto& [box, text] :
             {std::pair{Text_Moo, inputMooText}, std::pair{Text_HbL, inputHbLText}}) {
            type(box, text);
            if (box->text() != text)
                throw std::runtime_error("typing into " + box->objectName().toStdString() +
                                         " gave \"" + box->text().toStdString() + "\"");
        }
    }

    /// Both plots as the user sees them: drawing whatever is still queued.
    void takeImages()
    {
        Picture_Akim->renderedImage();
        Picture_basinc->renderedImage();
    }
};

/// One left click on HESAPLA, as a user makes it; kept out of line so that a
/// profiler can count the click alone.
[[gnu::noinline]] void clickHesapla(ShownForm& shown)
{
    shown.pressHesapla();
}

/// HESAPLA's clicked signal without a mouse: the button does not repaint
/// itself pressed and released, so the recalculation is left on its own.
[[gnu::noinline]] void clickHesaplaWithoutMouse(ShownForm& shown)
{
    shown.Command1->click();
}

namespace {

constexpr int repetitions = 15;
constexpr double minSecondsPerRepetition = 0.2;
constexpr int briefIterations = 3;
constexpr int briefRepetitions = 2; // the fewest that give a median

QColor background()
{
    return ui::toQColor(flow::colours::lightYellow);
}

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background());
    return image;
}

/// What the program shows after a click, and its segments recorded and mapped
/// onto images the size of the picture boxes' images. The floors are fair only
/// while HESAPLA is still the button the click floor copies.
struct ProgramPlots {
    QImage streamlines;
    QImage pressure;
    DevicePlots recorded;
};

const ProgramPlots& programPlots()
{
    static const ProgramPlots plots = [] {
        ShownForm shown;
        clickHesapla(shown);
        const QImage streamlines = shown.Picture_Akim->renderedImage();
        const QImage pressure = shown.Picture_basinc->renderedImage();
        const QPushButton& hesapla = *shown.Command1;
        if (hesapla.size() != hesaplaSize || hesapla.font().pixelSize() != hesaplaFontPixels ||
            !hesapla.autoFillBackground() || hesapla.autoDefault())
            throw std::runtime_error("HESAPLA is no longer the button the click floor copies");
        return ProgramPlots{
            streamlines, pressure,
            recordDevicePlots(inputMoo, inputHbL, streamlines.size(), pressure.size())};
    }();
    return plots;
}

void checkPixels(const QImage& streamlines, const QImage& pressure, const char* floor)
{
    const ProgramPlots& program = programPlots();
    if (streamlines != program.streamlines || pressure != program.pressure)
        throw std::runtime_error(std::string("the ") + floor +
                                 " does not paint the pixels the program paints");
}

/// The drawing floor's segments, checked once to paint exactly the pixels the
/// program paints.
const DevicePlots& drawingFloorPlots()
{
    static const DevicePlots& plots = []() -> const DevicePlots& {
        const DevicePlots& recorded = programPlots().recorded;
        QImage streamlines = blankImage(recorded.streamlines.size);
        QImage pressure = blankImage(recorded.pressure.size);
        drawSegments(streamlines, recorded.streamlines);
        drawSegments(pressure, recorded.pressure);
        checkPixels(streamlines, pressure, "drawing floor");
        return recorded;
    }();
    return plots;
}

/// Clicks HESAPLA in a shown main window with the input typed in, until both
/// picture boxes hold the new plots.
void measureRecalculation(benchmark::State& state, void (*click)(ShownForm&))
{
    try {
        ShownForm shown;
        click(shown);
        shown.takeImages();
        const flow::FlowHalf& values = shown.values();
        if (values.H() != inputHbL || values.Beta() != std::sqrt(1.0 - inputMoo * inputMoo))
            throw std::runtime_error("the click did not take the typed input");
        // The first click leaves the window's repaint pending, as every
        // measured click does; done here, it is not charged to the first
        // measured click.
        QCoreApplication::processEvents();

        const int clicksBefore = shown.clicks;
        for (auto _ : state) {
            click(shown);
            shown.takeImages();
            // The window repaints between a user's clicks; that is not part
            // of the recalculation.
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        if (shown.clicks - clicksBefore != state.iterations())
            state.SkipWithError("a click did not reach HESAPLA");
        if (!shown.reportedErrors.empty())
            state.SkipWithError("the recalculation reported an error");
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void recalculation(benchmark::State& state)
{
    measureRecalculation(state, clickHesapla);
}

void recalculationWithoutButtonRepaints(benchmark::State& state)
{
    measureRecalculation(state, clickHesaplaWithoutMouse);
}

void recalculationWithAccessibility(benchmark::State& state)
{
    try {
        ListeningScreenReader reader;
        const long heardBefore = reader.eventsHeard();
        const long readBefore = reader.textsRead();
        measureRecalculation(state, clickHesapla);
        state.counters["events"] = benchmark::Counter(double(reader.eventsHeard() - heardBefore),
                                                      benchmark::Counter::kAvgIterations);
        state.counters["texts_read"] = benchmark::Counter(double(reader.textsRead() - readBefore),
                                                          benchmark::Counter::kAvgIterations);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

/// Clicks the bare window's button, which paints the recorded segments.
void clickFloor(benchmark::State& state)
{
    try {
        const ProgramPlots& program = programPlots();
        ClickFloor floor(program.recorded, background());
        floor.click();
        checkPixels(floor.streamlines(), floor.pressure(), "click floor");
        QCoreApplication::processEvents();

        const int clicksBefore = floor.clicks();
        for (auto _ : state) {
            floor.click();
            benchmark::DoNotOptimize(floor.streamlines().constBits());
            benchmark::DoNotOptimize(floor.pressure().constBits());
            benchmark::ClobberMemory();
            // As between the recalculation's clicks.
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        if (floor.clicks() - clicksBefore != state.iterations())
            state.SkipWithError("a click did not reach the click floor's button");
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void drawingFloor(benchmark::State& state)
{
    try {
        const DevicePlots& plots = drawingFloorPlots();
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

Length runLength = Length::measured;

void medianOfRepetitions(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMicrosecond)->ReportAggregatesOnly(true);
    if (runLength == Length::brief)
        b->Iterations(briefIterations)->Repetitions(briefRepetitions);
    else
        b->MinTime(minSecondsPerRepetition)->Repetitions(repetitions);
}

} // namespace

void registerRecalculationBenchmarks(Length length)
{
    runLength = length;
    medianOfRepetitions(benchmark::RegisterBenchmark(recalculationName, recalculation));
    medianOfRepetitions(benchmark::RegisterBenchmark(clickFloorName, clickFloor));
    medianOfRepetitions(benchmark::RegisterBenchmark(drawingFloorName, drawingFloor));
    medianOfRepetitions(benchmark::RegisterBenchmark(arithmeticName, arithmetic));
    medianOfRepetitions(
        benchmark::RegisterBenchmark(withAccessibilityName, recalculationWithAccessibility));
    medianOfRepetitions(
        benchmark::RegisterBenchmark(withoutButtonName, recalculationWithoutButtonRepaints));
}

} // namespace bench

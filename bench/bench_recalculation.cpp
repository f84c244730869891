// Measures one recalculation against the floors of what it must cost, listed
// in `measurements`, and ends with the medians and their ratios. The main
// window runs on the offscreen platform, so no display is needed. With
// --brief, each benchmark runs a few iterations once: a check that they all
// still run, whose figures mean little.

#include "click_floor.h"
#include "flow_half.h"
#include "form1_fixture.h"
#include "listening_screen_reader.h"
#include "medians.h"
#include "qt_colour.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bench {

// The input typed into the text boxes before the clicks.
constexpr double inputMoo = 0.5, inputHbL = 0.1;
const QString inputMooText = QStringLiteral("0.5"), inputHbLText = QStringLiteral("0.1");

/// A shown main window with the benchmarks' input typed into its boxes and
/// HESAPLA clicked once.
struct ShownForm : Form1Fixture {
    ShownForm()
    {
        if (!exposed())
            throw std::runtime_error("the main window was never exposed");
        calculate(inputMooText, inputHbLText);
        takeImages();
        if (values().H() != inputHbL || values().Beta() != std::sqrt(1.0 - inputMoo * inputMoo))
            throw std::runtime_error("the click did not take the typed input");
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

/// What the program shows after a click, and its segments as its picture boxes
/// map them. The floors are fair only while HESAPLA is still the button the
/// click floor copies.
struct ProgramPlots {
    QImage streamlines, pressure;
    DevicePlots segments;
};

const ProgramPlots& programPlots()
{
    static const ProgramPlots plots = [] {
        ShownForm shown;
        const QPushButton& hesapla = *shown.Command1;
        if (hesapla.size() != hesaplaSize || hesapla.font().pixelSize() != hesaplaFontPixels ||
            !hesapla.autoFillBackground() || hesapla.autoDefault())
            throw std::runtime_error("HESAPLA is no longer the button the click floor copies");
        return ProgramPlots{shown.Picture_Akim->renderedImage(),
                            shown.Picture_basinc->renderedImage(),
                            {devicePlot(*shown.Picture_Akim), devicePlot(*shown.Picture_basinc)}};
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

/// Times `click` after a first click, made and checked by the caller. The
/// window's repaints, which come between a user's clicks, are left untimed.
template <typename Click, typename Count>
void timeClicks(benchmark::State& state, Click click, Count clicksReceived)
{
    QCoreApplication::processEvents();
    const int clicksBefore = clicksReceived();
    for (auto _ : state) {
        click();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (clicksReceived() - clicksBefore != state.iterations())
        state.SkipWithError("a click did not reach its button");
}

/// Clicks HESAPLA in a shown main window with the input typed in, until both
/// picture boxes hold the new plots.
void measureRecalculation(benchmark::State& state, void (*click)(ShownForm&))
{
    ShownForm shown;
    auto clickAndTakeImages = [&] {
        click(shown);
        shown.takeImages();
    };
    timeClicks(state, clickAndTakeImages, [&] { return shown.clicks; });
    if (!shown.reportedErrors.empty())
        state.SkipWithError("the recalculation reported an error");
}

/// The recalculation while assistive technology listens: what descriptions
/// and announcements for screen readers cost.
void recalculationWithAccessibility(benchmark::State& state)
{
    ListeningScreenReader reader;
    const long heardBefore = reader.eventsHeard(), readBefore = reader.textsRead();
    measureRecalculation(state, clickHesapla);
    for (const auto& [name, count] : {std::pair{"events", reader.eventsHeard() - heardBefore},
                                      std::pair{"texts_read", reader.textsRead() - readBefore}})
        state.counters[name] =
            benchmark::Counter(double(count), benchmark::Counter::kAvgIterations);
}

/// Clicks the bare window's button, which paints the program's segments onto
/// two cleared images: what the toolkit needs for the same click.
void clickFloor(benchmark::State& state)
{
    ClickFloor floor(programPlots().segments, background());
    floor.click();
    checkPixels(floor.streamlines(), floor.pressure(), "click floor");
    const auto click = [&] { floor.click(); };
    const auto clicks = [&] { return floor.clicks(); };
    timeClicks(state, click, clicks);
}

/// The painting of the program's segments alone, without clearing, checked
/// first to paint exactly the program's pixels.
void drawingFloor(benchmark::State& state)
{
    const DevicePlots& plots = programPlots().segments;
    QImage streamlines = blankImage(plots.streamlines.size);
    QImage pressure = blankImage(plots.pressure.size);
    auto draw = [&] {
        drawSegments(streamlines, plots.streamlines);
        drawSegments(pressure, plots.pressure);
    };
    draw();
    checkPixels(streamlines, pressure, "drawing floor");
    for (auto _ : state) {
        draw();
        benchmark::DoNotOptimize(streamlines.constBits());
        benchmark::DoNotOptimize(pressure.constBits());
        benchmark::ClobberMemory();
    }
    state.counters["segments"] =
        double(plots.streamlines.segments.size() + plots.pressure.segments.size());
}

class DiscardingSurface : public flow::PlotSurface {
public:
    void Cls() override {}
    void Scale(float, float, float, float) override {}
    void Line(float, float, float, float, flow::Colour) override {}
};

/// Both plot procedures on a surface that discards their calls.
void arithmetic(benchmark::State& state)
{
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
}

struct Measurement {
    const char* name;
    void (*measure)(benchmark::State&);
    const char* summary;
};

const Measurement measurements[] = {
    {"recalculation", [](benchmark::State& s) { measureRecalculation(s, clickHesapla); },
     "recalculation (click until both plots are drawn)"},
    {"click_floor", clickFloor, "click floor (a bare button's click paints the segments)"},
    {"drawing_floor", drawingFloor, "drawing floor (the same segments painted, nothing else)"},
    {"arithmetic", arithmetic, "arithmetic (both plot procedures, no drawing)"},
    {"recalculation_with_accessibility", recalculationWithAccessibility,
     "recalculation with assistive technology listening"},
    {"recalculation_without_button_repaints",
     [](benchmark::State& s) { measureRecalculation(s, clickHesaplaWithoutMouse); },
     "recalculation without the button's repaints"},
};

const SummaryLine ratios[] = {
    {"recalculation / click floor", "recalculation", {"click_floor"}, 1.25},
    {"recalculation / (drawing floor + arithmetic)",
     "recalculation",
     {"drawing_floor", "arithmetic"},
     1.25},
    {"recalculation with assistive technology / click floor",
     "recalculation_with_accessibility",
     {"click_floor"}},
    {"recalculation without button repaints / click floor",
     "recalculation_without_button_repaints",
     {"click_floor"}},
    {"arithmetic / click floor", "arithmetic", {"click_floor"}},
};

/// Measured: long enough for medians to compare; brief: once, to see that it runs at all.
void registerBenchmarks(bool brief)
{
    for (const Measurement& m : measurements) {
        auto* b = benchmark::RegisterBenchmark(m.name, [measure = m.measure](benchmark::State& s) {
            try {
                measure(s);
            } catch (const std::exception& e) {
                s.SkipWithError(e.what());
            }
        });
        b->Unit(benchmark::kMicrosecond)->ReportAggregatesOnly(true);
        if (brief)
            b->Iterations(3)->Repetitions(2); // two are the fewest that give a median
        else
            b->MinTime(0.2)->Repetitions(15);
    }
}

Summary summary()
{
    Summary summary{"Medians of one recalculation (Moo " + inputMooText.toStdString() + ", H/L " +
                        inputHbLText.toStdString() + ")",
                    {"real", "CPU"},
                    {}};
    for (const Measurement& m : measurements)
        summary.lines.push_back({m.summary, m.name});
    summary.lines.insert(summary.lines.end(), std::begin(ratios), std::end(ratios));
    return summary;
}

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says once for every window shown that it ignores
// size hints; that tells nothing about the measurements.
void dropSizeHintNotice(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        qtHandler(type, context, message);
}

} // namespace

} // namespace bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::qtHandler = qInstallMessageHandler(bench::dropSizeHintNotice);
    QApplication app(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    const auto brief =
        std::find(arguments.begin() + 1, arguments.end(), std::string_view("--brief"));
    bench::registerBenchmarks(brief != arguments.end());
    if (brief != arguments.end())
        arguments.erase(brief);
    return bench::runBenchmarks(arguments, {}, bench::summary());
}

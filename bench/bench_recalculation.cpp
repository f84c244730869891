#include "bench_recalculation.h"

#include "click_floor.h"
#include "flow_half.h"
#include "form1_fixture.h"
#include "listening_screen_reader.h"
#include "qt_colour.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <exception>
#include <iomanip>
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
        clickHesapla(shown);
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

/// Clicks HESAPLA in a shown main window with the input typed in, until both
/// picture boxes hold the new plots.
void measureRecalculation(benchmark::State& state, void (*click)(ShownForm&))
{
    ShownForm shown;
    click(shown);
    shown.takeImages();
    const flow::FlowHalf& values = shown.values();
    if (values.H() != inputHbL || values.Beta() != std::sqrt(1.0 - inputMoo * inputMoo))
        throw std::runtime_error("the click did not take the typed input");
    // The first click leaves the window's repaint pending, as every measured
    // click does; done here, it is not charged to the first measured click.
    QCoreApplication::processEvents();

    const int clicksBefore = shown.clicks;
    for (auto _ : state) {
        click(shown);
        shown.takeImages();
        // The window repaints between a user's clicks; that is not part of
        // the recalculation.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (shown.clicks - clicksBefore != state.iterations())
        state.SkipWithError("a click did not reach HESAPLA");
    if (!shown.reportedErrors.empty())
        state.SkipWithError("the recalculation reported an error");
}

/// The recalculation while assistive technology listens: what descriptions
/// and announcements for screen readers cost.
void recalculationWithAccessibility(benchmark::State& state)
{
    ListeningScreenReader reader;
    const long heardBefore = reader.eventsHeard();
    const long readBefore = reader.textsRead();
    measureRecalculation(state, clickHesapla);
    state.counters["events"] = benchmark::Counter(double(reader.eventsHeard() - heardBefore),
                                                  benchmark::Counter::kAvgIterations);
    state.counters["texts_read"] = benchmark::Counter(double(reader.textsRead() - readBefore),
                                                      benchmark::Counter::kAvgIterations);
}

/// Clicks the bare window's button, which paints the program's segments onto
/// two cleared images: what the toolkit needs for the same click.
void clickFloor(benchmark::State& state)
{
    ClickFloor floor(programPlots().segments, background());
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

/// over / (under + plus); a target of 0 is none.
struct Ratio {
    const char* what;
    const char* over;
    const char* under;
    const char* plus;
    double target;
};

const Ratio ratios[] = {
    {"recalculation / click floor", "recalculation", "click_floor", nullptr, 1.25},
    {"recalculation / (drawing floor + arithmetic)", "recalculation", "drawing_floor", "arithmetic",
     1.25},
    {"recalculation with assistive technology / click floor", "recalculation_with_accessibility",
     "click_floor", nullptr, 0.0},
    {"recalculation without button repaints / click floor", "recalculation_without_button_repaints",
     "click_floor", nullptr, 0.0},
    {"arithmetic / click floor", "arithmetic", "click_floor", nullptr, 0.0},
};

} // namespace

void registerRecalculationBenchmarks(Length length)
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
        if (length == Length::brief)
            b->Iterations(3)->Repetitions(2); // two are the fewest that give a median
        else
            b->MinTime(0.2)->Repetitions(15);
    }
}

void printSummary(std::ostream& out, const MedianReporter& reporter)
{
    constexpr int width = 58;
    out << "\nMedians of one recalculation (Moo " << inputMooText.toStdString() << ", H/L "
        << inputHbLText.toStdString() << "):\n"
        << std::fixed << std::setprecision(1) << "  " << std::left << std::setw(width) << ""
        << std::right << std::setw(12) << "real" << std::setw(12) << "CPU" << '\n';
    for (const Measurement& m : measurements)
        if (const auto medians = reporter.medians(m.name))
            out << "  " << std::left << std::setw(width) << m.summary << std::right << std::setw(9)
                << medians->realMicroseconds << " us" << std::setw(9) << medians->cpuMicroseconds
                << " us\n";
    for (const Ratio& r : ratios) {
        const auto over = reporter.medians(r.over);
        const auto under = reporter.medians(r.under);
        const auto plus = r.plus ? reporter.medians(r.plus) : Medians{0, 0};
        if (!over || !under || !plus)
            continue;
        const double real =
            over->realMicroseconds / (under->realMicroseconds + plus->realMicroseconds);
        const double cpu = over->cpuMicroseconds / (under->cpuMicroseconds + plus->cpuMicroseconds);
        out << "  " << std::left << std::setw(width) << r.what << std::right << std::setprecision(3)
            << std::setw(12) << real << std::setw(12) << cpu;
        if (r.target > 0)
            out << "   target <= " << std::setprecision(2) << r.target
                << (std::max(real, cpu) <= r.target ? ", met" : ", NOT MET");
        out << '\n';
    }
}

} // namespace bench

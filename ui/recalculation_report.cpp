#include "recalculation_report.h"

#include "announcer.h"
#include "picture_box.h"
#include "plot_summary.h"

#include <QAccessible>

namespace ui {

namespace {

int index(Plot plot)
{
    return plot == Plot::Streamlines ? 0 : 1;
}

} // namespace

RecalculationReport::RecalculationReport(PictureBox& streamlines, PictureBox& pressure,
                                         const flow::FlowHalf& flow)
    : streamlines_(streamlines)
    , pressure_(pressure)
    , flow_(flow)
{
    // The pressure plot begins with its Cls: an error after it arose there.
    connect(&pressure_, &PictureBox::cleared, this,
            [this] { pressureBegun_ = drawing_.has_value(); });
    streamlines_.setDescriber([this] { return description(Plot::Streamlines); });
    pressure_.setDescriber([this] { return description(Plot::Pressure); });
}

RecalculationReport::~RecalculationReport()
{
    streamlines_.setDescriber({});
    pressure_.setDescriber({});
}

void RecalculationReport::started(double Moo, double HbL)
{
    drawing_ = Drawing{Moo, HbL, flow_.Beta(), flow_.H()};
    pressureBegun_ = false;
}

void RecalculationReport::finished()
{
    for (Shown& shown : shown_)
        shown = {Shown::Drawn, *drawing_, std::nullopt, std::nullopt};
    drawing_.reset();
    lastStoppedPlot_.reset();
    describeChanges();
    if (QAccessible::isActive()) {
        const Drawing& d = shown_[0].drawing;
        announce(recalculationSentence(d.Moo, d.HbL, flow::summarize(flow_, d.Beta, d.H)));
    }
}

void RecalculationReport::stopped(const flow::RunTimeError& error)
{
    Shown& streamlines = shown_[index(Plot::Streamlines)];
    Shown& pressure = shown_[index(Plot::Pressure)];
    if (!drawing_) {
        streamlines.unchangedFrom = error;
        pressure.unchangedFrom = error;
        lastStoppedPlot_.reset();
    } else if (pressureBegun_) {
        streamlines = {Shown::Drawn, *drawing_, std::nullopt, std::nullopt};
        pressure = {Shown::Stopped, *drawing_, error, std::nullopt};
        lastStoppedPlot_ = Plot::Pressure;
    } else {
        streamlines = {Shown::Stopped, *drawing_, error, std::nullopt};
        pressure.unchangedFrom = error;
        lastStoppedPlot_ = Plot::Streamlines;
    }
    drawing_.reset();
    describeChanges();
}

QString RecalculationReport::description(Plot plot) const
{
    const Shown& shown = shown_[index(plot)];
    const Drawing& d = shown.drawing;
    QString text;
    switch (shown.state) {
    case Shown::Blank:
        text = blankPlotDescription();
        break;
    case Shown::Drawn:
        text = drawnPlotDescription(plot, d.Moo, d.HbL, flow::summarize(flow_, d.Beta, d.H));
        break;
    case Shown::Stopped:
        text = stoppedPlotDescription(plot, d.Moo, d.HbL, *shown.stoppedBy);
        break;
    }
    return shown.unchangedFrom ? unchangedPlotDescription(text, *shown.unchangedFrom) : text;
}

// A screen reader that listens learns that the descriptions changed and asks
// for them again; nothing is worded while none listens.
void RecalculationReport::describeChanges()
{
    if (!QAccessible::isActive())
        return;
    for (PictureBox* box : {&streamlines_, &pressure_}) {
        QAccessibleEvent event(box, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void RecalculationReport::announce(const QString& sentence)
{
    ui::announce(*streamlines_.parentWidget(), sentence);
}

} // namespace ui

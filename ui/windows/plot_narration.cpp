#include "plot_narration.h"

#include "announcer.h"
#include "picture_box.h"

#include <QAccessible>

namespace ui {

namespace {

int index(Plot plot)
{
    return plot == Plot::Streamlines ? 0 : 1;
}

} // namespace

PlotNarration::PlotNarration(PictureBox& streamlines, PictureBox& pressure,
                             const flow::FlowHalf& flow)
    : streamlines_(streamlines)
    , pressure_(pressure)
    , flow_(flow)
{
    streamlines_.setDescriber([this] { return description(Plot::Streamlines); });
    pressure_.setDescriber([this] { return description(Plot::Pressure); });
}

PlotNarration::~PlotNarration()
{
    streamlines_.setDescriber({});
    pressure_.setDescriber({});
}

void PlotNarration::started(double Moo, double HbL)
{
    drawing_ = Drawing{Moo, HbL};
}

void PlotNarration::finished()
{
    for (Shown& shown : shown_)
        shown = {Shown::Drawn, *drawing_, flow_.summary(), std::nullopt, std::nullopt};
    drawing_.reset();
    lastStoppedPlot_.reset();
    describeChanges();
    if (QAccessible::isActive()) {
        const Shown& s = shown_[0];
        announce(recalculationSentence(s.drawing.Moo, s.drawing.HbL, s.summary));
    }
}

void PlotNarration::stopped(const flow::RunTimeError& error)
{
    Shown& streamlines = shown_[index(Plot::Streamlines)];
    Shown& pressure = shown_[index(Plot::Pressure)];
    if (!drawing_) {
        streamlines.unchangedFrom = error;
        pressure.unchangedFrom = error;
        lastStoppedPlot_.reset();
    } else if (flow_.summary().streamlinesDrawn) { // the pressure plot had begun
        streamlines = {Shown::Drawn, *drawing_, flow_.summary(), std::nullopt, std::nullopt};
        pressure = {Shown::Stopped, *drawing_, {}, error, std::nullopt};
        lastStoppedPlot_ = Plot::Pressure;
    } else {
        streamlines = {Shown::Stopped, *drawing_, {}, error, std::nullopt};
        pressure.unchangedFrom = error;
        lastStoppedPlot_ = Plot::Streamlines;
    }
    drawing_.reset();
    describeChanges();
}

QString PlotNarration::description(Plot plot) const
{
    const Shown& shown = shown_[index(plot)];
    const Drawing& d = shown.drawing;
    QString text;
    switch (shown.state) {
    case Shown::Blank:
        text = blankPlotDescription();
        break;
    case Shown::Drawn:
        text = drawnPlotDescription(plot, d.Moo, d.HbL, shown.summary);
        break;
    case Shown::Stopped:
        text = stoppedPlotDescription(plot, d.Moo, d.HbL, *shown.stoppedBy);
        break;
    }
    return shown.unchangedFrom ? unchangedPlotDescription(text, *shown.unchangedFrom) : text;
}

// A screen reader that listens learns that the descriptions changed and asks
// for them again; nothing is worded while none listens.
void PlotNarration::describeChanges()
{
    if (!QAccessible::isActive())
        return;
    for (PictureBox* box : {&streamlines_, &pressure_}) {
        QAccessibleEvent event(box, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void PlotNarration::announce(const QString& sentence)
{
    ui::announce(*streamlines_.parentWidget(), sentence);
}

} // namespace ui

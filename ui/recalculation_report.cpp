#include "recalculation_report.h"

#include "picture_box.h"

#include <QAccessible>

namespace ui {

namespace {

int index(Plot plot)
{
    return plot == Plot::Streamlines ? 0 : 1;
}

} // namespace

RecalculationReport::RecalculationReport(PictureBox& streamlines, PictureBox& pressure)
    : streamlines_(streamlines)
    , pressure_(pressure)
{
    // The pressure plot begins with its Cls: an error after it arose there.
    connect(&pressure_, &PictureBox::cleared, this,
            [this] { pressureBegun_ = drawing_.has_value(); });
    streamlines_.setDescriber([this] { return description(Plot::Streamlines); });
    pressure_.setDescriber([this] { return description(Plot::Pressure); });
}

void RecalculationReport::started(double Moo, double HbL)
{
    drawing_ = Inputs{Moo, HbL};
    pressureBegun_ = false;
}

void RecalculationReport::finished()
{
    for (Shown& shown : shown_)
        shown = {Shown::Drawn, *drawing_, std::nullopt, std::nullopt};
    drawing_.reset();
    describeChanges();
}

void RecalculationReport::stopped(const flow::RunTimeError& error)
{
    Shown& streamlines = shown_[index(Plot::Streamlines)];
    Shown& pressure = shown_[index(Plot::Pressure)];
    if (!drawing_) {
        streamlines.unchangedFrom = error;
        pressure.unchangedFrom = error;
    } else if (pressureBegun_) {
        streamlines = {Shown::Drawn, *drawing_, std::nullopt, std::nullopt};
        pressure = {Shown::Stopped, *drawing_, error, std::nullopt};
    } else {
        streamlines = {Shown::Stopped, *drawing_, error, std::nullopt};
        pressure.unchangedFrom = error;
    }
    drawing_.reset();
    describeChanges();
}

QString RecalculationReport::description(Plot plot) const
{
    const Shown& shown = shown_[index(plot)];
    QString text;
    switch (shown.state) {
    case Shown::Blank:
        text = blankPlotDescription();
        break;
    case Shown::Drawn:
        text = drawnPlotDescription(plot, shown.inputs.Moo, shown.inputs.HbL);
        break;
    case Shown::Stopped:
        text = stoppedPlotDescription(plot, shown.inputs.Moo, shown.inputs.HbL, *shown.stoppedBy);
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

} // namespace ui

#pragma once

#include "flow_half.h"
#include "plot_descriptions.h"
#include "run_time_error.h"

#include <QString>

#include <optional>

namespace ui {

class PictureBox;

/// What the two picture boxes tell a screen reader about the recalculations
/// so far: still blank, drawn for which inputs with which key numbers, or
/// stopped with which error. A recalculation is started when its drawing
/// begins, and either finishes or stops; one that stops before drawing leaves
/// both plots as they were, and says so. Descriptions are worded when a screen
/// reader asks; a finished recalculation is announced to a screen reader that
/// listens, and costs nothing more when none does.
class PlotNarration {
public:
    /// flow is the flow half that draws on the two boxes; its summary gives
    /// the key numbers of what it drew.
    PlotNarration(PictureBox& streamlines, PictureBox& pressure, const flow::FlowHalf& flow);
    ~PlotNarration();
    PlotNarration(const PlotNarration&) = delete;
    PlotNarration& operator=(const PlotNarration&) = delete;

    /// The streamlines, then the pressure, are about to be drawn for Moo and HbL.
    void started(double Moo, double HbL);
    /// Both plots are drawn.
    void finished();
    /// The running handler stopped with error, before or while drawing.
    void stopped(const flow::RunTimeError& error);

    QString description(Plot plot) const;
    /// The plot whose drawing the last stopped recalculation broke off, if any.
    std::optional<Plot> lastStoppedPlot() const { return lastStoppedPlot_; }

private:
    struct Drawing {
        double Moo, HbL; ///< the inputs
    };
    /// What one picture box shows, and whether the last recalculation passed it by.
    struct Shown {
        enum { Blank, Drawn, Stopped } state = Blank;
        Drawing drawing{};
        flow::PlotSummary summary{};                     ///< with Drawn: its key numbers
        std::optional<flow::RunTimeError> stoppedBy;     ///< with Stopped
        std::optional<flow::RunTimeError> unchangedFrom; ///< the error that left it as it was
    };

    void describeChanges();
    void announce(const QString& sentence);

    PictureBox& streamlines_;
    PictureBox& pressure_;
    const flow::FlowHalf& flow_;
    Shown shown_[2];
    std::optional<Drawing> drawing_; ///< between started and finished or stopped
    std::optional<Plot> lastStoppedPlot_;
};

} // namespace ui

#pragma once

#include "plot_descriptions.h"
#include "run_time_error.h"

#include <QObject>
#include <QString>

#include <optional>

namespace ui {

class PictureBox;

/// What the two picture boxes say about the recalculations so far: still
/// blank, drawn for which inputs, or stopped with which error. A
/// recalculation is started when its drawing begins, and either finishes or
/// stops; a recalculation that stops before drawing leaves both plots as
/// they were, and says so. Descriptions are worded when a screen reader asks.
class RecalculationReport : public QObject {
    Q_OBJECT

public:
    RecalculationReport(PictureBox& streamlines, PictureBox& pressure);

    /// The streamlines, then the pressure, are about to be drawn for Moo and HbL.
    void started(double Moo, double HbL);
    /// Both plots are drawn.
    void finished();
    /// The running handler stopped with error, before or while drawing.
    void stopped(const flow::RunTimeError& error);

    QString description(Plot plot) const;

private:
    struct Inputs {
        double Moo, HbL;
    };
    /// What one picture box shows, and whether the last recalculation passed it by.
    struct Shown {
        enum { Blank, Drawn, Stopped } state = Blank;
        Inputs inputs{};
        std::optional<flow::RunTimeError> stoppedBy;     ///< with Stopped
        std::optional<flow::RunTimeError> unchangedFrom; ///< the error that left it as it was
    };

    void describeChanges();

    PictureBox& streamlines_;
    PictureBox& pressure_;
    Shown shown_[2];
    std::optional<Inputs> drawing_; ///< between started and finished or stopped
    bool pressureBegun_ = false;
};

} // namespace ui

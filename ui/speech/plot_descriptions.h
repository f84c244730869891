#pragma once

// What a picture box tells a screen reader it shows, in Turkish like the
// window.

#include "plot_summary.h"
#include "run_time_error.h"

#include <QString>

namespace ui {

enum class Plot { Streamlines, Pressure };

/// The inputs as the sentences name them, each as its text gives it:
/// "Moo = 0.5, H/L = 0.1".
QString inputsNamed(const QString& Moo, const QString& HbL);

/// A plot not drawn yet.
QString blankPlotDescription();

/// A plot drawn completely for the inputs Moo and HbL, with its key numbers.
QString drawnPlotDescription(Plot plot, double Moo, double HbL, const flow::PlotSummary& summary);

/// The sentence a screen reader speaks after a recalculation drew both
/// plots: the inputs, the range of both pressure coefficients and the
/// streamlines' amplitudes.
QString recalculationSentence(double Moo, double HbL, const flow::PlotSummary& summary);

/// A plot whose drawing for Moo and HbL stopped part way with error.
QString stoppedPlotDescription(Plot plot, double Moo, double HbL, const flow::RunTimeError& error);

/// A plot left as it was because the calculation stopped before reaching it.
QString unchangedPlotDescription(const QString& shown, const flow::RunTimeError& error);

} // namespace ui

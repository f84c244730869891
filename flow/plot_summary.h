#pragma once

#include <array>

namespace flow {

/// How many streamlines the streamline plot draws above the wall.
inline constexpr int plottedStreamlines = 3;

/// The key numbers of the two plots, taken from the tables the plot
/// procedures drew: what a user who cannot see the plots is told about them.
/// Each plot procedure fills its own part as it computes its table.
struct PlotSummary {
    /// The undisturbed heights of the streamlines, 0.5, 1 and 1.5.
    std::array<double, plottedStreamlines> heights{};
    /// How far each streamline swings above and below its height as drawn
    /// (eight times its true displacement), incompressible and compressible.
    std::array<double, plottedStreamlines> incompressibleAmplitude{}, compressibleAmplitude{};
    /// The smallest and largest pressure coefficients along the wall.
    double Cp1Min = 0.0, Cp1Max = 0.0, Cp2Min = 0.0, Cp2Max = 0.0;

    /// Whether the streamline plot, then the pressure plot, was drawn to its
    /// end; the numbers of a plot that was not are meaningless.
    bool streamlinesDrawn = false, pressureDrawn = false;
};

} // namespace flow

#pragma once

#include "flow_half.h"

#include <array>

namespace flow {

/// The key numbers of the two plots as they were drawn from the flow values:
/// what a user who cannot see the plots is told about them.
struct PlotSummary {
    /// The undisturbed heights of the streamlines, 0.5, 1 and 1.5.
    std::array<double, FlowHalf::M> heights{};
    /// How far each streamline swings above and below its height as drawn
    /// (eight times its true displacement), incompressible and compressible.
    std::array<double, FlowHalf::M> incompressibleAmplitude{}, compressibleAmplitude{};
    /// The smallest and largest pressure coefficients along the wall.
    double Cp1Min = 0.0, Cp1Max = 0.0, Cp2Min = 0.0, Cp2Max = 0.0;
};

/// The summary of both plots drawn with the fixed values of flow and the
/// given Beta and H. Meant for a recalculation that drew both plots: it
/// repeats their arithmetic in plain doubles and so raises nothing.
PlotSummary summarize(const FlowHalf& flow, double Beta, double H);

} // namespace flow

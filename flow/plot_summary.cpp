// The same steps as akim_ciz and basinc_ciz, in the same grouping, so that
// the numbers a user hears are the numbers that were drawn.

#include "plot_summary.h"

#include <algorithm>
#include <cmath>

namespace flow {

PlotSummary summarize(const FlowHalf& flow, double Beta, double H)
{
    PlotSummary summary;
    const double k = (2.0 * flow.Pi()) / flow.L();
    for (int j = 1; j <= FlowHalf::M; ++j) {
        const double y0 = (double(j) / FlowHalf::M) * 1.5;
        const double a = k * y0;
        summary.heights[j - 1] = y0;
        summary.incompressibleAmplitude[j - 1] = std::fabs((8.0 * H) * std::exp(-a));
        summary.compressibleAmplitude[j - 1] = std::fabs((8.0 * H) * std::exp(-(Beta * a)));
    }
    for (int i = 0; i <= flow.N(); ++i) {
        const double x = ((double(i) / flow.N()) * 2.0) * flow.L();
        const double c = std::cos(k * x);
        const double Cp1 = ((((-4.0 * flow.Pi()) / Beta) * H) / flow.L()) * c;
        const double Cp2 = Cp1 / Beta;
        summary.Cp1Min = i == 0 ? Cp1 : std::min(summary.Cp1Min, Cp1);
        summary.Cp1Max = i == 0 ? Cp1 : std::max(summary.Cp1Max, Cp1);
        summary.Cp2Min = i == 0 ? Cp2 : std::min(summary.Cp2Min, Cp2);
        summary.Cp2Max = i == 0 ? Cp2 : std::max(summary.Cp2Max, Cp2);
    }
    return summary;
}

} // namespace flow

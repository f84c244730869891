// The wall pressure plot: Cp1 = -(4 pi H / (Beta L)) cos(kx) in blue and
// Cp2 = Cp1 / Beta in red, over the same two wavelengths as the streamlines.

#include "flow_half.h"
#include "plot_steps.h"

#include <algorithm>
#include <array>

namespace flow {

namespace {

// Points 0 ... N along the wall.
using PointTable = std::array<double, FlowHalf::loadedN + 1>;

struct PressureTables {
    PointTable X{};
    PointTable Cp1{};
    PointTable Cp2{};
};

// The x-axis runs to the right edge and the y-axis the full height; the grid
// lines stop at +-3.5, short of the edges.
constexpr plot_steps::Frame frame{.top = -4.0f,
                                  .bottom = 4.0f,
                                  .xAxisEnd = 2.2f,
                                  .yAxisFrom = -4.0f,
                                  .yAxisTo = 4.0f,
                                  .gridFrom = -3.5f,
                                  .gridTo = 3.5f};

} // namespace

void FlowHalf::basinc_ciz()
{
    using plot_steps::abscissa;
    using plot_steps::segment;
    using plot_steps::waveNumber;

    PressureTables t;
    PlotSurface& surface = Picture_basinc;
    const int N = N_, L = L_;
    const double Pi = Pi_, Beta = Beta_, H = H_;
    summary_.pressureDrawn = false;
    plot_steps::drawFrame(surface, frame);

    for (int i = 0; i <= N; ++i) {
        const Real x = abscissa(i, N, L);
        t.X[i] = x.value();
        const Real c = cos(waveNumber(Pi, L) * x);
        const Real Cp1 = ((((Real(-4.0) * Pi) / Beta) * H) / Real(L)) * c;
        t.Cp1[i] = Cp1.value();
        t.Cp2[i] = (Cp1 / Beta).value();
        summary_.Cp1Min = i == 0 ? t.Cp1[i] : std::min(summary_.Cp1Min, t.Cp1[i]);
        summary_.Cp1Max = i == 0 ? t.Cp1[i] : std::max(summary_.Cp1Max, t.Cp1[i]);
        summary_.Cp2Min = i == 0 ? t.Cp2[i] : std::min(summary_.Cp2Min, t.Cp2[i]);
        summary_.Cp2Max = i == 0 ? t.Cp2[i] : std::max(summary_.Cp2Max, t.Cp2[i]);
    }
    for (int i = 1; i <= N; ++i) {
        segment(surface, t.X[i - 1], t.Cp2[i - 1], t.X[i], t.Cp2[i], colours::red);
        segment(surface, t.X[i - 1], t.Cp1[i - 1], t.X[i], t.Cp1[i], colours::blue);
    }
    summary_.pressureDrawn = true;
}

} // namespace flow

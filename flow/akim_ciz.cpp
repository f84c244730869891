// The streamline plot: the wall y = H cos(kx) over two wavelengths and three
// streamlines above it, each at y0 + 8 H e^(-k y0) cos(kx) in incompressible
// flow (blue) and at y0 + 8 H e^(-Beta k y0) cos(kx) in compressible flow
// (red). The factor 8 magnifies the displacements for display.

#include "flow_half.h"
#include "plot_steps.h"

#include <array>
#include <cmath>

namespace flow {

namespace {

// Points 0 ... N along the wall; row 0 is the wall, rows 1 ... M the streamlines.
using PointTable = std::array<std::array<double, FlowHalf::M + 1>, FlowHalf::loadedN + 1>;

struct StreamlineTables {
    PointTable X{};
    PointTable Ycomp{};
    PointTable Yinc{};
};

// The x-axis ends at x = 2 and the y-axis at the x-axis; the grid lines run
// the full height, from the bottom edge to the top edge.
constexpr plot_steps::Frame frame{.top = -1.8f,
                                  .bottom = 0.2f,
                                  .xAxisEnd = 2.0f,
                                  .yAxisFrom = -1.8f,
                                  .yAxisTo = 0.0f,
                                  .gridFrom = 0.2f,
                                  .gridTo = -1.8f};

} // namespace

void FlowHalf::akim_ciz()
{
    using plot_steps::abscissa;
    using plot_steps::segment;
    using plot_steps::waveNumber;

    StreamlineTables t;
    PlotSurface& surface = Picture_Akim;
    const int N = N_, L = L_;
    const double Pi = Pi_;
    summary_ = {};
    plot_steps::drawFrame(surface, frame);

    // The wall, in row 0.
    for (int i = 0; i <= N; ++i) {
        const Real x = abscissa(i, N, L);
        t.X[i][0] = x.value();
        t.Ycomp[i][0] = (Real(H_) * cos(waveNumber(Pi, L) * x)).value();
    }
    for (int i = 1; i <= N; ++i)
        segment(surface, t.X[i - 1][0], t.Ycomp[i - 1][0], t.X[i][0], t.Ycomp[i][0],
                colours::black);

    // The streamlines, in rows 1 ... M.
    for (int i = 0; i <= N; ++i) {
        const Real x = abscissa(i, N, L);
        for (int j = 1; j <= M; ++j) {
            const Real y0 = (Real(j) / Real(M)) * 1.5;
            const Real a = waveNumber(Pi, L) * y0;
            const Real b = Real(Beta_) * a;
            const Real Ai = (Real(8.0) * H_) * exp(-a);
            const Real Ac = (Real(8.0) * H_) * exp(-b);
            const Real c = cos(waveNumber(Pi, L) * x);
            t.Yinc[i][j] = (y0 + Ai * c).value();
            t.Ycomp[i][j] = (y0 + Ac * c).value();
            t.X[i][j] = t.X[i][0];
            summary_.heights[j - 1] = y0.value();
            summary_.incompressibleAmplitude[j - 1] = std::fabs(Ai.value());
            summary_.compressibleAmplitude[j - 1] = std::fabs(Ac.value());
        }
    }
    for (int j = 1; j <= M; ++j) {
        for (int i = 1; i <= N; ++i) {
            segment(surface, t.X[i - 1][j], t.Ycomp[i - 1][j], t.X[i][j], t.Ycomp[i][j],
                    colours::red);
            segment(surface, t.X[i - 1][j], t.Yinc[i - 1][j], t.X[i][j], t.Yinc[i][j],
                    colours::blue);
        }
    }
    summary_.streamlinesDrawn = true;
}

} // namespace flow

#pragma once

// The flow half of the main window: the values that describe one flow and the
// two plot procedures that draw it, each clearing its surface, redrawing its
// whole plot and keeping its key numbers in the summary a screen reader is
// told. A recalculation (handler_steps.h) sets Beta and H from Moo and HbL,
// then calls both. An arithmetic failure is raised as a RunTimeError at the
// failing step; what was drawn before it stays drawn.

#include "plot_summary.h"
#include "plot_surface.h"

#include <cstdint>

namespace flow {

class FlowHalf {
public:
    /// The values the load initialisation fixes. The plots' point tables are
    /// sized by them when the program is compiled, so no index leaves them.
    static constexpr std::int16_t loadedN = 100; ///< intervals along the plotted wall
    static constexpr std::int16_t loadedL = 1;   ///< wavelength
    static constexpr int M = plottedStreamlines; ///< streamlines above the wall

    /// The two surfaces must outlive the flow half.
    FlowHalf(PlotSurface& streamlineSurface, PlotSurface& pressureSurface);

    /// Sets the fixed values: Pi = 4 atan(1), L = 1, N = 100. Draws nothing.
    void Form_Load();

    /// Beta = sqrt(1 - Moo^2). Raises InvalidArgument when 1 - Moo^2 < 0 and
    /// Overflow when Moo^2 leaves the double range; Beta is then unchanged.
    void setBeta(double Moo);

    /// H = HbL * L.
    void setH(double HbL);

    /// Draws the frame, the wall and M streamlines, compressible in red and
    /// incompressible in blue, on Picture_Akim: Cls, Scale, the frame's Lines
    /// and N to each curve. Starts a new summary and fills its streamline part.
    void akim_ciz();

    /// Draws the pressure coefficient along the wall on Picture_basinc: Cls,
    /// Scale, the frame's Lines and N to each of two curves. Raises
    /// DivisionByZero when Beta = 0, after the frame. Fills its summary part.
    void basinc_ciz();

    /// The key numbers of the plots as the last akim_ciz and basinc_ciz drew
    /// them, and how far they got.
    const PlotSummary& summary() const { return summary_; }

    /// 0 until the load initialisation has run.
    double Pi() const { return Pi_; }
    std::int16_t N() const { return N_; }
    std::int16_t L() const { return L_; }
    /// 0 until the first recalculation sets them.
    double Beta() const { return Beta_; } ///< compressibility factor sqrt(1 - Moo^2)
    double H() const { return H_; }       ///< height of the wave's crests above the mean line

    PlotSurface& Picture_Akim;
    PlotSurface& Picture_basinc;

private:
    double Pi_ = 0.0;
    std::int16_t N_ = 0;
    std::int16_t L_ = 0;
    double Beta_ = 0.0;
    double H_ = 0.0;
    PlotSummary summary_;
};

} // namespace flow

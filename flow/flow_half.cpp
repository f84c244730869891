#include "flow_half.h"

#include "real.h"

#include <cmath>

namespace flow {

FlowHalf::FlowHalf(PlotSurface& streamlineSurface, PlotSurface& pressureSurface)
    : Picture_Akim(streamlineSurface)
    , Picture_basinc(pressureSurface)
{}

void FlowHalf::Form_Load()
{
    Pi_ = 4.0 * std::atan(1.0);
    L_ = loadedL;
    N_ = loadedN;
}

void FlowHalf::setBeta(double Moo)
{
    Beta_ = sqrt(Real(1.0) - squared(Moo)).value();
}

void FlowHalf::setH(double HbL)
{
    H_ = (Real(HbL) * Real(L_)).value();
}

} // namespace flow

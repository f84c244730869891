#include "flow_half.h"

#include "checked_real.h"

#include <cmath>

namespace flow {

FlowHalf::FlowHalf(PlotSurface& streamlineSurface, PlotSurface& pressureSurface)
    : Picture_Akim(streamlineSurface)
    , Picture_basinc(pressureSurface)
{}

void FlowHalf::Form_Load()
{
    Pi = 4.0 * std::atan(1.0);
    L = 1;
    N = 100;
}

void FlowHalf::setBeta(double Moo)
{
    Beta = sqrt(Real(1.0) - squared(Moo)).value();
}

void FlowHalf::setH(double HbL)
{
    H = (Real(HbL) * Real(L)).value();
}

} // namespace flow

#pragma once

// Drawing steps the two plots share: the frame and grid, and a curve segment
// between two computed points.

#include "checked_real.h"
#include "plot_surface.h"

namespace flow::plot_steps {

/// Four light-grey vertical grid lines at x = 0.5, 1, 1.5 and 2, each drawn
/// from (x, yFrom) to (x, yTo).
inline void grid(PlotSurface& surface, float yFrom, float yTo)
{
    for (double x = 0.5; x <= 2.0; x += 0.5)
        surface.Line(static_cast<float>(x), yFrom, static_cast<float>(x), yTo, colours::lightGrey);
}

/// The segment from (x1, height1) to (x2, height2). Heights are negated
/// because the surfaces put the smaller y at the top; every coordinate is
/// converted to single precision at the call, and one beyond the float range
/// raises an overflow before anything is drawn.
inline void segment(PlotSurface& surface, Real x1, Real height1, Real x2, Real height2,
                    Colour colour)
{
    const float sx1 = toSingle(x1);
    const float sy1 = toSingle(-height1);
    const float sx2 = toSingle(x2);
    const float sy2 = toSingle(-height2);
    surface.Line(sx1, sy1, sx2, sy2, colour);
}

/// The abscissa of point i of n along two wavelengths: ((i / n) * 2) * l.
inline Real abscissa(int i, int n, int l)
{
    return ((Real(i) / Real(n)) * 2.0) * Real(l);
}

/// The wave number (2 * pi) / l.
inline Real waveNumber(double pi, int l)
{
    return (Real(2.0) * pi) / Real(l);
}

} // namespace flow::plot_steps

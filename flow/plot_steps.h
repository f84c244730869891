#pragma once

// Drawing steps the two plots share: the frame and grid, and a curve segment
// between two computed points.

#include "plot_surface.h"
#include "real.h"

namespace flow::plot_steps {

/// Where a plot's frame lies, in user units. Both plots run x from -0.2 at
/// the left edge to 2.2 at the right edge.
struct Frame {
    float top, bottom;        ///< y at the top and bottom edges
    float xAxisEnd;           ///< the x-axis runs from (0, 0) to (xAxisEnd, 0)
    float yAxisFrom, yAxisTo; ///< the y-axis runs from (0, yAxisFrom) to (0, yAxisTo)
    float gridFrom, gridTo;   ///< each grid line runs from (x, gridFrom) to (x, gridTo)
};

/// Clears the surface, sets its scale and draws the two black axes and four
/// light-grey vertical grid lines at x = 0.5, 1, 1.5 and 2.
inline void drawFrame(PlotSurface& surface, const Frame& frame)
{
    surface.Cls();
    surface.Scale(-0.2f, frame.top, 2.2f, frame.bottom);
    surface.Line(0.0f, 0.0f, frame.xAxisEnd, 0.0f, colours::black);
    surface.Line(0.0f, frame.yAxisFrom, 0.0f, frame.yAxisTo, colours::black);
    for (double x = 0.5; x <= 2.0; x += 0.5)
        surface.Line(static_cast<float>(x), frame.gridFrom, static_cast<float>(x), frame.gridTo,
                     colours::lightGrey);
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

#pragma once

// How the flow model draws. The two plot procedures know nothing about the
// window: each is handed a PlotSurface, clears it, sets a user coordinate
// system and draws straight segments in given colours. The picture boxes of
// the main window are one implementation, a recorder of calls is another.

#include "colour.h"

namespace flow {

class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    /// Fills the drawing area with the background colour and forgets what was
    /// drawn. The user coordinate system stays as it is.
    virtual void Cls() = 0;

    /// Makes (x1, y1) the upper-left and (x2, y2) the lower-right corner of the
    /// drawing area. With y1 < y2 user y grows downwards, so callers pass
    /// heights negated.
    virtual void Scale(float x1, float y1, float x2, float y2) = 0;

    /// Draws the solid segment (x1, y1)-(x2, y2) in user units, one device
    /// unit wide, replacing what lies under it. What falls outside the drawing
    /// area is clipped silently.
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
};

} // namespace flow

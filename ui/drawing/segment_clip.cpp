#include "segment_clip.h"

#include <algorithm>

namespace ui {

namespace {

enum Edge { Left, Right, Top, Bottom, None };

struct Crossing {
    double t;
    Edge edge;
};

/// The point at t, put exactly on the edge it crosses there. Interpolating
/// the coordinate that the edge fixes would lose it to cancellation when an
/// end point lies far outside (a wall of 1E30 on a plot two units high), so
/// only the other coordinate is interpolated.
QPointF pointAt(double x1, double y1, double dx, double dy, Crossing c, const QRectF& area)
{
    double x = c.edge == Left ? area.left() : c.edge == Right ? area.right() : x1 + c.t * dx;
    double y = c.edge == Top ? area.top() : c.edge == Bottom ? area.bottom() : y1 + c.t * dy;
    return {std::clamp(x, area.left(), area.right()), std::clamp(y, area.top(), area.bottom())};
}

} // namespace

// Liang-Barsky: the segment is p(t) = p1 + t (p2 - p1), 0 <= t <= 1; each edge
// of the area narrows the range of t that stays inside.
std::optional<QLineF> clipSegment(double x1, double y1, double x2, double y2, const QRectF& area)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    Crossing enter{0.0, None};
    Crossing leave{1.0, None};

    // Each edge as p * t <= q.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - area.left(), area.right() - x1, y1 - area.top(), area.bottom() - y1};
    for (int edge = Left; edge <= Bottom; ++edge) {
        if (p[edge] == 0.0) {
            if (q[edge] < 0.0)
                return std::nullopt; // parallel to this edge and outside it
            continue;
        }
        const double t = q[edge] / p[edge];
        if (p[edge] < 0.0) {
            if (t > enter.t)
                enter = {t, Edge(edge)};
        } else if (t < leave.t) {
            leave = {t, Edge(edge)};
        }
        if (enter.t > leave.t)
            return std::nullopt;
    }
    return QLineF(pointAt(x1, y1, dx, dy, enter, area), pointAt(x1, y1, dx, dy, leave, area));
}

} // namespace ui

#pragma once

#include <QLineF>
#include <QRectF>

#include <optional>

namespace ui {

/// The part of the segment (x1, y1)-(x2, y2) that lies inside area, computed
/// in double precision, or nothing when the segment misses the area. Safe for
/// any finite coordinates, however far outside (up to the float range scaled
/// to device pixels), so that the painter only ever sees small numbers.
std::optional<QLineF> clipSegment(double x1, double y1, double x2, double y2, const QRectF& area);

} // namespace ui

#include "device_mapping.h"

#include "segment_clip.h"

#include <QRectF>

namespace ui {

std::optional<AreaSegment> toArea(const UserScale& scale, float x1, float y1, float x2, float y2,
                                  flow::Colour colour)
{
    if (scale.width == 0.0 || scale.height == 0.0)
        return std::nullopt;
    auto across = [&](float x) { return (double(x) - scale.left) / scale.width; };
    auto down = [&](float y) { return (double(y) - scale.top) / scale.height; };
    return AreaSegment{across(x1), down(y1), across(x2), down(y2), colour};
}

std::optional<QLineF> toDevice(const AreaSegment& segment, QSize device)
{
    const double w = device.width();
    const double h = device.height();
    return clipSegment(segment.x1 * w, segment.y1 * h, segment.x2 * w, segment.y2 * h,
                       QRectF(0, 0, w, h));
}

} // namespace ui

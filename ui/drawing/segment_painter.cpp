#include "segment_painter.h"

#include "qt_colour.h"

#include <algorithm>

namespace ui {

SegmentPainter::SegmentPainter(QPaintDevice* image)
    : painter_(image)
{
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
}

void SegmentPainter::draw(const QLineF& line, flow::Colour colour)
{
    if (current_ != colour) {
        auto pen = std::find_if(pens_.begin(), pens_.end(),
                                [colour](const auto& ready) { return ready.first == colour; });
        if (pen == pens_.end())
            pen = pens_.insert(pens_.end(),
                               {colour, QPen(toQColor(colour), 1, Qt::SolidLine, Qt::SquareCap)});
        painter_.setPen(pen->second);
        current_ = colour;
    }
    painter_.drawLine(line);
}

} // namespace ui

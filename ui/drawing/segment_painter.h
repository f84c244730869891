#pragma once

#include "colour.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <optional>
#include <utility>
#include <vector>

namespace ui {

/// Draws device segments solid, one pixel wide, aliased and in copy mode (a
/// segment's colour replaces what lies under it), onto an image.
class SegmentPainter {
public:
    explicit SegmentPainter(QPaintDevice* image);

    void draw(const QLineF& line, flow::Colour colour);

private:
    QPainter painter_;
    // The streamlines alternate red and blue segment by segment: switching
    // between ready pens is cheaper than recolouring one pen each time.
    std::vector<std::pair<flow::Colour, QPen>> pens_;
    std::optional<flow::Colour> current_;
};

} // namespace ui

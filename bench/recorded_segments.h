#pragma once

// The floor of a recalculation: the segments the two plot procedures draw,
// recorded once and put into device pixels by the picture box's own mapping,
// so that drawing them costs only what painting them must cost.

#include "colour.h"

#include <QImage>
#include <QLineF>
#include <QSize>

#include <vector>

namespace bench {

struct DeviceSegment {
    QLineF line;
    flow::Colour colour;
};

/// One plot as device segments on an image of a given size.
struct DevicePlot {
    QSize size;
    std::vector<DeviceSegment> segments;
};

struct DevicePlots {
    DevicePlot streamlines;
    DevicePlot pressure;
};

/// Runs both plot procedures for (Moo, HbL) on recording surfaces and maps
/// every Line call onto images of the given sizes, as ui::PictureBox does.
DevicePlots recordDevicePlots(double Moo, double HbL, QSize streamlineSize, QSize pressureSize);

/// Draws a plot's segments onto an image with the picture box's painter.
void drawSegments(QImage& image, const DevicePlot& plot);

} // namespace bench

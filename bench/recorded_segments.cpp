#include "recorded_segments.h"

#include "colour.h"
#include "flow_half.h"
#include "recording_surface.h"
#include "segment_clip.h"

#include <QPainter>

#include <utility>

namespace bench {

namespace {

DevicePlot toDevice(const std::vector<flow::SurfaceCall>& calls, QSize size)
{
    DevicePlot plot{size, {}};
    const double w = size.width();
    const double h = size.height();
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    for (const flow::SurfaceCall& call : calls) {
        const auto& [x1, y1, x2, y2] = call.coordinates;
        switch (call.kind) {
        case flow::SurfaceCall::Kind::Cls:
            plot.segments.clear();
            break;
        case flow::SurfaceCall::Kind::Scale:
            left = x1;
            top = y1;
            width = double(x2) - double(x1);
            height = double(y2) - double(y1);
            break;
        case flow::SurfaceCall::Kind::Line: {
            if (width == 0.0 || height == 0.0)
                break;
            auto deviceX = [&](float x) { return (double(x) - left) / width * w; };
            auto deviceY = [&](float y) { return (double(y) - top) / height * h; };
            if (const auto clipped = ui::clipSegment(deviceX(x1), deviceY(y1), deviceX(x2),
                                                     deviceY(y2), QRectF(0, 0, w, h)))
                plot.segments.push_back({*clipped, call.colour});
            break;
        }
        }
    }
    return plot;
}

} // namespace

DevicePlots recordDevicePlots(double Moo, double HbL, QSize streamlineSize, QSize pressureSize)
{
    flow::RecordingSurface streamlines;
    flow::RecordingSurface pressure;
    flow::FlowHalf flow(streamlines, pressure);
    flow.Form_Load();
    flow.setBeta(Moo);
    flow.setH(HbL);
    flow.akim_ciz();
    flow.basinc_ciz();
    return {toDevice(streamlines.calls, streamlineSize), toDevice(pressure.calls, pressureSize)};
}

void drawSegments(QImage& image, const DevicePlot& plot)
{
    if (plot.segments.empty())
        return;
    std::vector<std::pair<flow::Colour, QPen>> pens;
    auto penFor = [&pens](flow::Colour colour) -> const QPen& {
        for (const auto& [penColour, pen] : pens)
            if (penColour == colour)
                return pen;
        return pens
            .emplace_back(colour, QPen(ui::toQColor(colour), 1, Qt::SolidLine, Qt::SquareCap))
            .second;
    };
    QPainter painter(&image);
    flow::Colour current = plot.segments.front().colour;
    painter.setPen(penFor(current));
    for (const DeviceSegment& segment : plot.segments) {
        if (segment.colour != current) {
            current = segment.colour;
            painter.setPen(penFor(current));
        }
        painter.drawLine(segment.line);
    }
}

} // namespace bench

#include "recorded_segments.h"

#include "device_mapping.h"
#include "handler_replay.h"
#include "segment_painter.h"

namespace bench {

namespace {

DevicePlot toDevice(const std::vector<flow::SurfaceCall>& calls, QSize size)
{
    DevicePlot plot{size, {}};
    ui::UserScale scale;
    for (const flow::SurfaceCall& call : calls) {
        const auto& [x1, y1, x2, y2] = call.coordinates;
        switch (call.kind) {
        case flow::SurfaceCall::Kind::Cls:
            plot.segments.clear();
            break;
        case flow::SurfaceCall::Kind::Scale:
            scale = ui::UserScale::fromCorners(x1, y1, x2, y2);
            break;
        case flow::SurfaceCall::Kind::Line:
            if (const auto segment = ui::toArea(scale, x1, y1, x2, y2, call.colour))
                if (const auto line = ui::toDevice(*segment, size))
                    plot.segments.push_back({*line, call.colour});
            break;
        }
    }
    return plot;
}

} // namespace

DevicePlots recordDevicePlots(double Moo, double HbL, QSize streamlineSize, QSize pressureSize)
{
    HandlerReplay click;
    click.buttonWithNumbers(Moo, HbL);
    return {toDevice(click.akim.calls, streamlineSize), toDevice(click.basinc.calls, pressureSize)};
}

void drawSegments(QImage& image, const DevicePlot& plot)
{
    ui::SegmentPainter painter(&image);
    for (const DeviceSegment& segment : plot.segments)
        painter.draw(segment.line, segment.colour);
}

} // namespace bench

#pragma once

// What the two plots' drawing calls look like, for the plot tests and the
// fuzz target: how many Lines each plot draws, its frame and grid, and
// helpers to write and compare single calls.

#include "recording_surface.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plot_shape {

using flow::SurfaceCall;

constexpr int frameLines = 6;         ///< two axes, four grid lines
constexpr int segmentsPerCurve = 100; ///< each curve, the wall included
/// Frame, wall, and a red and a blue curve for each of the three streamlines.
constexpr int streamlineLines = frameLines + segmentsPerCurve + 3 * 2 * segmentsPerCurve;
/// Frame, and the red Cp2 and blue Cp1 curves.
constexpr int pressureLines = frameLines + 2 * segmentsPerCurve;
static_assert(streamlineLines == 706 && pressureLines == 206);

inline SurfaceCall line(float x1, float y1, float x2, float y2, flow::Colour colour)
{
    return {SurfaceCall::Kind::Line, {x1, y1, x2, y2}, colour};
}

inline bool near(float actual, double expected, double tolerance = 5e-6)
{
    return std::fabs(double(actual) - expected) <= tolerance;
}

/// The calls that begin a plot: Cls, Scale, the two black axes and the four
/// light-grey grid lines.
using FrameCalls = std::array<SurfaceCall, 2 + frameLines>;

/// Scale's y runs from top to bottom, the x-axis from 0 to xAxisEnd, the
/// y-axis from top to yAxisEnd, each grid line from gridFrom to gridTo.
inline FrameCalls frame(float top, float bottom, float xAxisEnd, float yAxisEnd, float gridFrom,
                        float gridTo)
{
    using flow::colours::black;
    using flow::colours::lightGrey;
    return {SurfaceCall{SurfaceCall::Kind::Cls},
            SurfaceCall{SurfaceCall::Kind::Scale, {-0.2f, top, 2.2f, bottom}},
            line(0, 0, xAxisEnd, 0, black),
            line(0, top, 0, yAxisEnd, black),
            line(0.5f, gridFrom, 0.5f, gridTo, lightGrey),
            line(1.0f, gridFrom, 1.0f, gridTo, lightGrey),
            line(1.5f, gridFrom, 1.5f, gridTo, lightGrey),
            line(2.0f, gridFrom, 2.0f, gridTo, lightGrey)};
}

/// The streamline plot's axes end at x = 2 and at the x-axis; its grid runs
/// the full height.
inline FrameCalls streamlineFrame()
{
    return frame(-1.8f, 0.2f, 2.0f, 0.0f, 0.2f, -1.8f);
}

/// The pressure plot's axes run to the edges; its grid stops at +-3.5.
inline FrameCalls pressureFrame()
{
    return frame(-4.0f, 4.0f, 2.2f, 4.0f, -3.5f, 3.5f);
}

/// Whether the recording begins with these calls.
inline bool beginsWith(const flow::RecordingSurface& surface, const FrameCalls& calls)
{
    return surface.calls.size() >= calls.size() &&
           std::equal(calls.begin(), calls.end(), surface.calls.begin());
}

} // namespace plot_shape

#pragma once

// What every recording of a plot must satisfy however far the plot got: the
// plot's own Cls, Scale, frame and grid first, finite coordinates only, and
// curves that run without a gap from x = 0 to x = 2.

#include "expected_outcome.h"
#include "plot_summary.h"
#include "recording_surface.h"

#include <cmath>
#include <cstdio>
#include <span>
#include <vector>

namespace fuzz {

inline void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "recalculation invariant violated: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

/// One plotted curve among a plot's Line calls: its segments, the first at
/// index `first`, the next ones `stride` calls apart.
struct Curve {
    std::size_t first;
    std::size_t stride;
    flow::Colour colour;
};

inline std::vector<Curve> streamlineCurves()
{
    std::vector<Curve> curves{{frameLines, 1, flow::colours::black}};
    for (int row = 0; row < flow::plottedStreamlines; ++row) {
        const std::size_t first = frameLines + segmentsPerCurve + row * 2 * segmentsPerCurve;
        curves.push_back({first, 2, flow::colours::red});
        curves.push_back({first + 1, 2, flow::colours::blue});
    }
    return curves;
}

inline std::vector<Curve> pressureCurves()
{
    return {{frameLines, 2, flow::colours::red}, {frameLines + 1, 2, flow::colours::blue}};
}

/// Checks the calls recorded so far; a plot cut short by an error must still
/// be a correct beginning of the full plot, with its frame whole: nothing
/// between Cls and the frame's last line can fail.
inline void checkRecording(const flow::RecordingSurface& surface, const std::vector<Curve>& curves,
                           std::size_t fullLineCount, const plot_shape::FrameCalls& frame)
{
    using Kind = flow::SurfaceCall::Kind;
    const auto& calls = surface.calls;
    if (calls.empty())
        return;
    require(plot_shape::beginsWith(surface, frame),
            "a plot starts with Cls, Scale, two axes and four grid lines");
    for (std::size_t i = 0; i < calls.size(); ++i) {
        require(i < 2 || calls[i].kind == Kind::Line, "only Line calls follow Cls and Scale");
        for (float coordinate : calls[i].coordinates)
            require(std::isfinite(coordinate), "a surface received an infinite or NaN coordinate");
    }

    const std::span<const flow::SurfaceCall> lines(calls.begin() + 2, calls.end());
    require(lines.size() <= fullLineCount, "a plot draws no more than its full number of lines");

    for (const Curve& curve : curves) {
        for (std::size_t k = 0; k < segmentsPerCurve; ++k) {
            const std::size_t index = curve.first + k * curve.stride;
            if (index >= lines.size())
                break;
            const auto& c = lines[index].coordinates;
            require(lines[index].colour == curve.colour, "each curve keeps its colour");
            require(c[2] > c[0], "a curve runs from left to right");
            if (k == 0)
                require(c[0] == 0.0f, "a curve starts at x = 0");
            else {
                const auto& previous = lines[index - curve.stride].coordinates;
                require(c[0] == previous[2] && c[1] == previous[3],
                        "a curve's segments join without a gap");
            }
            if (k + 1 == segmentsPerCurve)
                require(c[2] == 2.0f, "a curve ends at x = 2");
        }
    }
}

} // namespace fuzz

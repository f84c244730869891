#pragma once

#include "plot_surface.h"

#include <array>
#include <cstddef>
#include <vector>

namespace flow {

/// One call on a plot surface, with its arguments as the surface received them.
struct SurfaceCall {
    enum class Kind { Cls, Scale, Line };

    Kind kind;
    std::array<float, 4> coordinates{}; ///< x1, y1, x2, y2 for Scale and Line
    Colour colour = 0;                  ///< for Line

    friend bool operator==(const SurfaceCall&, const SurfaceCall&) = default;
};

/// A plot surface that only records the calls made on it, so that a plot can
/// be checked operation by operation without a screen.
class RecordingSurface : public PlotSurface {
public:
    void Cls() override { calls.push_back({SurfaceCall::Kind::Cls}); }
    void Scale(float x1, float y1, float x2, float y2) override
    {
        calls.push_back({SurfaceCall::Kind::Scale, {x1, y1, x2, y2}});
    }
    void Line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        calls.push_back({SurfaceCall::Kind::Line, {x1, y1, x2, y2}, colour});
    }

    std::size_t lineCount() const
    {
        std::size_t n = 0;
        for (const SurfaceCall& call : calls)
            n += call.kind == SurfaceCall::Kind::Line;
        return n;
    }

    std::vector<SurfaceCall> calls;
};

} // namespace flow

#pragma once

// The main window's three handlers replayed without a window, on surfaces of
// the caller's choice: recorders of calls for plot_trace, the tests and the
// fuzz target and the benchmarks, real picture boxes where pixels are
// compared. Each replay follows its handler's steps in the handler's order; a
// run-time error stops it where it arises and is kept, as the event guard
// keeps it from going further.

#include "flow_half.h"
#include "recording_surface.h"
#include "run_time_error.h"
#include "text_conversion.h"

#include <memory>
#include <optional>
#include <string_view>

template <class Surface = flow::RecordingSurface> class HandlerReplay {
public:
    HandlerReplay() { flow.Form_Load(); }

    /// The click of the calculate button with these texts in the boxes.
    int button(std::string_view mooText, std::string_view hblText)
    {
        return attempt([&] {
            read.HbL = flow::Val(hblText);
            read.Moo = flow::Val(mooText);
            flow.setBeta(*read.Moo);
            flow.setH(*read.HbL);
            draw();
        });
    }

    /// A change of the H/L bar to value, with mooText in the Mach number's box.
    int ratioBar(int value, std::string_view mooText)
    {
        return attempt([&] {
            read.HbL = value / 100.0;
            read.Moo = flow::Val(mooText);
            flow.setH(*read.HbL);
            flow.setBeta(*read.Moo);
            draw();
        });
    }

    /// A change of the Mach number's bar to value, with hblText in the H/L box.
    int machBar(int value, std::string_view hblText)
    {
        return attempt([&] {
            read.Moo = value / 100.0;
            read.HbL = flow::Val(hblText);
            flow.setBeta(*read.Moo);
            flow.setH(*read.HbL);
            draw();
        });
    }

    /// The button's steps after reading: Beta, H, streamlines, pressure.
    int calculate(double Moo, double HbL)
    {
        return attempt([&] {
            read = {Moo, HbL};
            flow.setBeta(Moo);
            flow.setH(HbL);
            draw();
        });
    }

    /// The error number of the last replay, 0 when it drew both plots.
    int errorCode() const { return error ? error->code() : 0; }

    Surface akim;
    Surface basinc;
    flow::FlowHalf flow{akim, basinc};

    /// The inputs the last replay read before it ended.
    struct Inputs {
        std::optional<double> Moo, HbL;
    } read;
    std::optional<flow::RunTimeError> error;

private:
    void draw()
    {
        flow.akim_ciz();
        flow.basinc_ciz();
    }

    template <class Steps> int attempt(Steps steps)
    {
        read = {};
        error.reset();
        try {
            steps();
        } catch (const flow::RunTimeError& e) {
            error = e;
        }
        return errorCode();
    }
};

/// The Line calls of a recording, in order.
inline std::vector<flow::SurfaceCall> linesOf(const flow::RecordingSurface& surface)
{
    std::vector<flow::SurfaceCall> lines;
    for (const auto& call : surface.calls)
        if (call.kind == flow::SurfaceCall::Kind::Line)
            lines.push_back(call);
    return lines;
}

/// The button's steps after reading, for (Moo, HbL), on recording surfaces.
inline std::unique_ptr<HandlerReplay<>> recalculate(double Moo, double HbL)
{
    auto replay = std::make_unique<HandlerReplay<>>();
    replay->calculate(Moo, HbL);
    return replay;
}

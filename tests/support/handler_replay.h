#pragma once

// The main window's three handlers replayed without a window, on surfaces of
// the caller's choice: recorders of calls for the tests, the fuzz target and
// the benchmarks, real picture boxes where pixels are compared. Each replay
// runs the handler's own steps (handler_steps.h) on given texts and bar
// values; a run-time error stops it where it arises and is kept, as the event
// guard keeps it from going further.

#include "flow_half.h"
#include "handler_steps.h"
#include "recording_surface.h"
#include "run_time_error.h"
#include "text_conversion.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

template <class Surface = flow::RecordingSurface> class HandlerReplay {
public:
    HandlerReplay() { flow.Form_Load(); }

    /// The click of the calculate button with these texts in the boxes.
    int button(std::string_view mooText, std::string_view hblText)
    {
        return attempt(flow::handler_steps::Command1_Click<Boxes>,
                       Boxes{{mooText, hblText}, {}, read});
    }

    /// A change of the H/L bar to value, with mooText in the Mach number's box.
    int ratioBar(int value, std::string_view mooText)
    {
        return attempt(flow::handler_steps::HScroll_HbL_Change<Boxes>,
                       Boxes{{mooText, {}}, {0, value}, read});
    }

    /// A change of the Mach number's bar to value, with hblText in the H/L box.
    int machBar(int value, std::string_view hblText)
    {
        return attempt(flow::handler_steps::HScroll_Moo_Change<Boxes>,
                       Boxes{{{}, hblText}, {value, 0}, read});
    }

    /// The click of the calculate button with these numbers typed in the
    /// boxes: written to seventeen digits, which Val reads back exactly.
    int buttonWithNumbers(double Moo, double HbL) { return button(exactText(Moo), exactText(HbL)); }

    /// The error number of the last replay, 0 when it drew both plots.
    int errorCode() const { return error ? error->code() : 0; }

    Surface akim;
    Surface basinc;
    flow::FlowHalf flow{akim, basinc};

    /// The inputs the last replay read before it ended.
    struct Inputs {
        std::optional<double> Moo, HbL;
        std::optional<double>& operator[](flow::handler_steps::Input input)
        {
            return input == flow::handler_steps::Input::Moo ? Moo : HbL;
        }
    } read;
    std::optional<flow::RunTimeError> error;

private:
    using Input = flow::handler_steps::Input;
    static int at(Input input) { return input == Input::Moo ? 0 : 1; }

    /// The window as the handler steps see it: given texts in the text boxes,
    /// given values in the bars; what the steps read or write is kept.
    struct Boxes {
        std::string_view texts[2];
        int bars[2];
        Inputs& kept;

        double read(Input input) { return *(kept[input] = flow::Val(texts[at(input)])); }
        void write(Input input, double value) { kept[input] = value; }
        int barValue(Input input) const { return bars[at(input)]; }
        void drawingStarts(double, double) {}
        void drawingFinished() {}
    };

    /// Seventeen significant digits tell every double from its neighbours.
    static std::string exactText(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }

    int attempt(void (*handler)(Boxes&, flow::FlowHalf&), Boxes boxes)
    {
        read = {};
        error.reset();
        try {
            handler(boxes, flow);
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

/// A click of the calculate button with the numbers Moo and HbL typed in the
/// boxes, on recording surfaces.
inline std::unique_ptr<HandlerReplay<>> recalculate(double Moo, double HbL)
{
    auto replay = std::make_unique<HandlerReplay<>>();
    replay->buttonWithNumbers(Moo, HbL);
    return replay;
}

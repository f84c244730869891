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

#include <memory>
#include <optional>
#include <string_view>

template <class Surface = flow::RecordingSurface> class HandlerReplay {
public:
    HandlerReplay() { flow.Form_Load(); }

    /// The click of the calculate button with these texts in the boxes.
    int button(std::string_view mooText, std::string_view hblText)
    {
        return attempt(flow::handler_steps::Command1_Click<TypedWindow>,
                       TypedWindow{{mooText, hblText}, {}, read});
    }

    /// A change of the H/L bar to value, with mooText in the Mach number's box.
    int ratioBar(int value, std::string_view mooText)
    {
        return attempt(flow::handler_steps::HScroll_HbL_Change<TypedWindow>,
                       TypedWindow{{mooText, {}}, {0, value}, read});
    }

    /// A change of the Mach number's bar to value, with hblText in the H/L box.
    int machBar(int value, std::string_view hblText)
    {
        return attempt(flow::handler_steps::HScroll_Moo_Change<TypedWindow>,
                       TypedWindow{{{}, hblText}, {value, 0}, read});
    }

    /// The button's steps with these inputs already read from the boxes.
    int calculate(double Moo, double HbL)
    {
        return attempt(flow::handler_steps::Command1_Click<ReadWindow>,
                       ReadWindow{{Moo, HbL}, read});
    }

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

    /// The handler steps' window: given texts in the boxes, given bar values.
    struct TypedWindow {
        std::string_view texts[2];
        int bars[2];
        Inputs& kept;

        double read(Input input) { return *(kept[input] = flow::Val(texts[at(input)])); }
        void write(Input input, double value) { kept[input] = value; }
        int barValue(Input input) const { return bars[at(input)]; }
        void drawingStarts(double, double) {}
        void drawingFinished() {}
    };

    /// The same, with the numbers the boxes' texts read as already given.
    struct ReadWindow {
        double numbers[2];
        Inputs& kept;

        double read(Input input) { return *(kept[input] = numbers[at(input)]); }
        void write(Input, double) {}
        int barValue(Input) const { return 0; }
        void drawingStarts(double, double) {}
        void drawingFinished() {}
    };

    template <class Window> int attempt(void (*handler)(Window&, flow::FlowHalf&), Window window)
    {
        read = {};
        error.reset();
        try {
            handler(window, flow);
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

#pragma once

// The steps of the main window's three handlers, written once. The window
// runs them on its controls; the replays of the tests, the fuzz target and the
// benchmarks run them on given texts and bar values. Each handler reads or
// takes its two inputs, sets Beta and H in its own order and draws the
// streamlines, then the wall pressure. A run-time error raised by a step
// leaves the handler there.

#include "flow_half.h"

namespace flow::handler_steps {

/// The two inputs, each with a text box and a scroll bar.
enum class Input { Moo, HbL };

/// The scroll bars hold whole hundredths: the input a bar stands for is its
/// value divided by this.
inline constexpr double barDivisor = 100.0;

// A Window gives the steps its inputs and hears about the drawing:
//   double read(Input)                   the text box's text as Val reads it
//   void write(Input, double)            the number into the text box
//   int barValue(Input)                  the scroll bar's value
//   void drawingStarts(double Moo, double HbL), void drawingFinished()

/// The streamlines first, then the wall pressure.
template <class Window> void drawPlots(Window& window, FlowHalf& flow, double Moo, double HbL)
{
    window.drawingStarts(Moo, HbL);
    flow.akim_ciz();
    flow.basinc_ciz();
    window.drawingFinished();
}

/// The input a scroll bar stands for, written into its text box.
template <class Window> double barInput(Window& window, Input input)
{
    const double value = window.barValue(input) / barDivisor;
    window.write(input, value);
    return value;
}

/// The click of the calculate button: both inputs from their text boxes.
template <class Window> void Command1_Click(Window& window, FlowHalf& flow)
{
    const double HbL = window.read(Input::HbL);
    const double Moo = window.read(Input::Moo);
    flow.setBeta(Moo);
    flow.setH(HbL);
    drawPlots(window, flow, Moo, HbL);
}

/// A change of the H/L bar: its input into its text box, Moo from the other.
template <class Window> void HScroll_HbL_Change(Window& window, FlowHalf& flow)
{
    const double HbL = barInput(window, Input::HbL);
    const double Moo = window.read(Input::Moo);
    flow.setH(HbL);
    flow.setBeta(Moo);
    drawPlots(window, flow, Moo, HbL);
}

/// A change of the Mach number's bar: its input into its text box, H/L from
/// the other.
template <class Window> void HScroll_Moo_Change(Window& window, FlowHalf& flow)
{
    const double Moo = barInput(window, Input::Moo);
    const double HbL = window.read(Input::HbL);
    flow.setBeta(Moo);
    flow.setH(HbL);
    drawPlots(window, flow, Moo, HbL);
}

} // namespace flow::handler_steps

#pragma once

#include "readable_colours.h"

#include <QScrollBar>

namespace ui {

/// A horizontal scroll bar whose change comes only after its value really
/// changed: an arrow or track click, a key, or the release of a dragged thumb,
/// never while the thumb moves. Left and Up move toward the minimum at the
/// left end, Right and Down toward the maximum, Home and End to the ends.
/// It stands for an input, its value divided by a fixed divisor: a screen
/// reader reads and sets that input (0.01 for the value 1), not the integer.
/// With the keyboard focus it shows the style's focus frame inside its box.
class ScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit ScrollBar(QWidget* parent = nullptr);

    /// The input the bar stands for is value() / divisor.
    void setInputDivisor(double divisor) { inputDivisor_ = divisor; }
    double inputDivisor() const { return inputDivisor_; }

    /// Ends the repetition of a held arrow or track click, so that a report
    /// shown from a change does not come back once per repeat.
    void stopAutoRepeat() { setRepeatAction(SliderNoAction); }

signals:
    /// The value has changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    double inputDivisor_ = 1.0;
    FocusMark focusMark_;
};

} // namespace ui

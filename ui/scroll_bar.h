#pragma once

#include <QScrollBar>

namespace ui {

/// A horizontal scroll bar whose change comes only after its value really
/// changed: an arrow or track click, a key, or the release of a dragged thumb,
/// never while the thumb moves. Left and Up move toward the minimum at the
/// left end, Right and Down toward the maximum, Home and End to the ends.
class ScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit ScrollBar(QWidget* parent = nullptr);

    /// Ends the repetition of a held arrow or track click, so that a report
    /// shown from a change does not come back once per repeat.
    void stopAutoRepeat() { setRepeatAction(SliderNoAction); }

signals:
    /// The value has changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui

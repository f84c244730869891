#pragma once

#include <QMenuBar>
#include <QPointer>

namespace ui {

/// The main window's menu bar, reachable from the keyboard as users expect:
/// F10 (or Alt) puts the focus on its first item, shown highlighted; Return,
/// Enter or Space choose the item; Escape gives the focus back to the control
/// that had it.
class MenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit MenuBar(QWidget* parent = nullptr);

    /// Moves the keyboard focus to the first item.
    void enterKeyboardMode();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void leaveKeyboardMode();

    QPointer<QWidget> focusBefore_;
};

} // namespace ui

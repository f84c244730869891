#pragma once

#include <QPushButton>

namespace ui {

/// A push button that Return and Enter press, as Space does, when it has the
/// keyboard focus; it is neither a default nor a cancel button, so Return
/// elsewhere in the window does not reach it.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui

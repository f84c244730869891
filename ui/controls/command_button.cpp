#include "command_button.h"

#include <QKeyEvent>

namespace ui {

CommandButton::CommandButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace ui

#include "scroll_bar.h"

#include <QKeyEvent>

namespace ui {

ScrollBar::ScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::changed);
}

// QScrollBar inverts its key controls (Right lowers the value) so that the
// wheel scrolls like content does; these keys follow the bar's ends instead.
void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace ui

#include "scroll_bar.h"

#include <QKeyEvent>
#include <QProxyStyle>

namespace ui {

namespace {

/// The bars are only 49 pixels long: with the style's usual minimum the thumb
/// would fill the whole track, hiding the position and leaving no track to
/// click. A narrow minimum keeps both.
class NarrowThumbStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarSliderMin)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

ScrollBar::ScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
    auto* style = new NarrowThumbStyle;
    style->setParent(this);
    setStyle(style);
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

#include "scroll_bar.h"

#include "accessible_factory.h"
#include "readable_colours.h"
#include "text_conversion.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <utility>

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

/// What a screen reader sees of a bar: its input, with the input's range
/// and step. Setting the value moves the bar, which raises its change.
class AccessibleScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleScrollBar(ScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::fromStdString(flow::numberToText(currentValue().toDouble()));
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return input(bar()->value()); }
    void setCurrentValue(const QVariant& value) override
    {
        bar()->setValue(int(std::lround(value.toDouble() * bar()->inputDivisor())));
    }
    QVariant maximumValue() const override { return input(bar()->maximum()); }
    QVariant minimumValue() const override { return input(bar()->minimum()); }
    QVariant minimumStepSize() const override { return input(bar()->singleStep()); }

private:
    ScrollBar* bar() const { return static_cast<ScrollBar*>(object()); }
    double input(int value) const { return value / bar()->inputDivisor(); }
};

} // namespace

ScrollBar::ScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
    installAccessibleInterface<ScrollBar, AccessibleScrollBar>();
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
    static constexpr std::pair<int, SliderAction> keyActions[] = {
        {Qt::Key_Left, SliderSingleStepSub},  {Qt::Key_Up, SliderSingleStepSub},
        {Qt::Key_Right, SliderSingleStepAdd}, {Qt::Key_Down, SliderSingleStepAdd},
        {Qt::Key_PageUp, SliderPageStepSub},  {Qt::Key_PageDown, SliderPageStepAdd},
        {Qt::Key_Home, SliderToMinimum},      {Qt::Key_End, SliderToMaximum},
    };
    const auto* found =
        std::ranges::find(keyActions, event->key(), &std::pair<int, SliderAction>::first);
    if (found == std::end(keyActions))
        return QScrollBar::keyPressEvent(event);
    triggerAction(found->second);
    event->accept();
}

// The bar's own drawing shows no focus; a keyboard user needs to see which of
// the window's stops has it.
void ScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(1, 1, -1, -1);
    frame.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    // The style's frame is a faint tint on so small a bar: its edge takes the
    // highlight colour too, as a focused picture box's border does, as far as
    // it stands out from the window around the bar.
    painter.setPen(QPen(focusMark_.colour(palette(), frame.backgroundColor), 0));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace ui

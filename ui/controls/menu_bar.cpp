#include "menu_bar.h"

#include "readable_colours.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>

namespace ui {

namespace {

/// The style highlights a menu-bar item only while its menu is open, and the
/// About item has no menu: with the keyboard on the bar, the item under it is
/// drawn as if open, so that the user sees where the focus is. A highlight
/// that hardly stands out from the bar (a deep blue on a dark desktop) is made
/// lighter, with a text that still reads on it.
class KeyboardHighlightStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_MenuBarItem && widget && widget->hasFocus() &&
            (option->state & State_Selected)) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem focused = *item;
                focused.state |= State_Sunken;
                QPalette& palette = focused.palette;
                const QColor mark = focusMark_.colour(palette, palette.color(QPalette::Window));
                if (mark != palette.color(QPalette::Highlight)) {
                    palette.setColor(QPalette::Highlight, mark);
                    palette.setColor(QPalette::HighlightedText,
                                     textColourOn(mark, palette.color(QPalette::HighlightedText)));
                }
                QProxyStyle::drawControl(element, &focused, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    mutable FocusMark focusMark_;
};

} // namespace

MenuBar::MenuBar(QWidget* parent)
    : QMenuBar(parent)
{
    auto* style = new KeyboardHighlightStyle;
    style->setParent(this);
    setStyle(style);
    setNativeMenuBar(false); // Qt's own, so that "About" stays a top-level item of the window
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, this, &MenuBar::enterKeyboardMode);
    // Whichever way the focus came here (F10, Alt), Escape takes it back there.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this && old != this)
            focusBefore_ = old;
    });
}

void MenuBar::enterKeyboardMode()
{
    if (actions().isEmpty())
        return;
    setFocus(Qt::MenuBarFocusReason);
    setActiveAction(actions().constFirst());
}

void MenuBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        leaveKeyboardMode();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (QAction* chosen = activeAction(); chosen && !chosen->menu()) {
            leaveKeyboardMode();
            chosen->trigger();
            break;
        }
        QMenuBar::keyPressEvent(event);
        return;
    default:
        QMenuBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MenuBar::focusOutEvent(QFocusEvent* event)
{
    QMenuBar::focusOutEvent(event);
    setActiveAction(nullptr);
}

void MenuBar::leaveKeyboardMode()
{
    setActiveAction(nullptr);
    if (focusBefore_)
        focusBefore_->setFocus(Qt::OtherFocusReason);
    else
        clearFocus();
}

} // namespace ui

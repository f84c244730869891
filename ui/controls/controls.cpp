#include "controls.h"

#include "command_button.h"
#include "picture_box.h"
#include "scroll_bar.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <climits>
#include <map>

namespace ui {

namespace {

QWidget* make(const ControlRow& row, QWidget* container)
{
    const QString text = row.text ? QString::fromUtf8(row.text) : QString();
    switch (row.kind) {
    case ControlKind::Frame:
        return new QGroupBox(container);
    case ControlKind::ScrollBar:
        return new ScrollBar(container);
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text, container);
        box->setMaxLength(INT_MAX); // no limit on what may be typed
        return box;
    }
    case ControlKind::Button: {
        auto* button = new CommandButton(text, container);
        // Opaque, so that pressing it repaints the button alone and not the
        // frame behind it: half the cost of a click otherwise.
        button->setAutoFillBackground(true);
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, container);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::PictureBox:
        return new PictureBox(container);
    }
    return nullptr;
}

} // namespace

Controls::Controls(QWidget* window, const char* windowName, std::span<const ControlRow> rows)
{
    if (const QString mistake = tableMistake(windowName, rows); !mistake.isEmpty())
        qFatal("%s", qPrintable(mistake));
    std::map<int, QWidget*> byTabIndex;
    for (const ControlRow& row : rows) {
        QWidget* parent = byName_.value(QString::fromUtf8(row.container), window);
        QWidget* control = make(row, parent);
        control->setObjectName(QString::fromUtf8(row.name));
        control->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
        if (row.accessible.name)
            control->setAccessibleName(QString::fromUtf8(row.accessible.name));
        if (row.accessible.description)
            control->setAccessibleDescription(QString::fromUtf8(row.accessible.description));
        byName_.insert(control->objectName(), control);
        if (row.tabIndex >= 0 && control->focusPolicy() != Qt::NoFocus)
            byTabIndex[row.tabIndex] = control;
    }
    QList<QWidget*> focusOrder;
    for (const auto& [index, control] : byTabIndex)
        focusOrder.append(control);
    for (qsizetype i = 0; i + 1 < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i], focusOrder[i + 1]);
    if (focusOrder.size() > 1)
        QWidget::setTabOrder(focusOrder.last(), focusOrder.first());
}

void Controls::missing(const char* name, const char* kind)
{
    qFatal("the window's table has no control %s of kind %s", name, kind);
}

} // namespace ui

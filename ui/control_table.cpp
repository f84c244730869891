#include "control_table.h"

#include "picture_box.h"
#include "scroll_bar.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
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
        auto* button = new QPushButton(text, container);
        button->setAutoDefault(false);
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

Controls::Controls(QWidget* window, std::span<const ControlRow> rows)
{
    std::map<int, QWidget*> byTabIndex;
    for (const ControlRow& row : rows) {
        const QString container = QString::fromUtf8(row.container);
        QWidget* parent = byName_.value(container, window);
        QWidget* control = make(row, parent);
        control->setObjectName(QString::fromUtf8(row.name));
        control->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
        byName_.insert(control->objectName(), control);
        if (row.tabIndex >= 0 && control->focusPolicy() != Qt::NoFocus)
            byTabIndex[row.tabIndex] = control;
    }
    for (const auto& [index, control] : byTabIndex)
        focusOrder_.append(control);
    for (qsizetype i = 0; i + 1 < focusOrder_.size(); ++i)
        QWidget::setTabOrder(focusOrder_[i], focusOrder_[i + 1]);
    if (focusOrder_.size() > 1)
        QWidget::setTabOrder(focusOrder_.last(), focusOrder_.first());
}

void widenToFitText(QWidget* widget)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label)
        return;
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    if (needed > label->width())
        label->resize(needed, label->height());
}

} // namespace ui

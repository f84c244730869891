#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <span>

namespace ui {

enum class ControlKind { Frame, ScrollBar, TextBox, Button, Label, PictureBox };

/// One control of a window as its description gives it. Places and sizes are
/// in twips from the upper-left corner of the container; tabIndex is the
/// focus order (-1 for controls that never take focus).
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container;
    const char* text; ///< UTF-8, nullptr for none
    int left, top, width, height;
    int tabIndex;
};

/// The controls built from a table, by name.
class Controls {
public:
    /// Builds every row as a child of its container, the window itself or an
    /// earlier row, with its object name, text, place and size, and chains
    /// the focus order by tab index, round from the last back to the first.
    Controls(QWidget* window, std::span<const ControlRow> rows);

    template <class Widget> Widget* get(const char* name) const
    {
        return qobject_cast<Widget*>(byName_.value(QString::fromUtf8(name)));
    }

    /// In focus order.
    const QList<QWidget*>& focusOrder() const { return focusOrder_; }

private:
    QHash<QString, QWidget*> byName_;
    QList<QWidget*> focusOrder_;
};

/// Widens a label whose text does not fit its box to the right, so that the
/// whole text shows; nothing else moves.
void widenToFitText(QWidget* label);

} // namespace ui

#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <climits>
#include <span>

namespace ui {

enum class ControlKind { Frame, ScrollBar, TextBox, Button, Label, PictureBox };

/// What a screen reader says about a control, in the window's language.
struct AccessibleText {
    const char* name = nullptr;        ///< nullptr: the toolkit's own (a label's text)
    const char* description = nullptr; ///< nullptr: none, or one the program keeps up to date
};

/// One control of a window as its description gives it. Places and sizes are
/// in twips from the upper-left corner of the container, the window or an
/// earlier row; tabIndex is the focus order among the controls that take it.
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container;
    const char* text; ///< UTF-8, nullptr for none
    int left, top, width, height;
    int tabIndex;
    AccessibleText accessible = {};
};

/// The first mistake in a window's table, naming its row, or an empty string
/// for a sound table: a row without a name, a name used twice, a container
/// that is neither the window nor an earlier row, a tab index used twice.
QString tableMistake(const char* windowName, std::span<const ControlRow> rows);

/// The controls built from a table, by name.
class Controls {
public:
    /// Builds every row as a child of its container, with its object name,
    /// text, place, size and accessible texts, and chains the focus order by
    /// tab index, round from the last back to the first. A mistake in the
    /// table stops the program here, at start-up, with a message naming the
    /// row.
    Controls(QWidget* window, const char* windowName, std::span<const ControlRow> rows);

    /// The control of that name; the program stops with a message naming it
    /// when the table has no such control or one of another kind.
    template <class Widget> Widget& get(const char* name) const
    {
        auto* control = qobject_cast<Widget*>(byName_.value(QString::fromUtf8(name)));
        if (!control)
            missing(name, Widget::staticMetaObject.className());
        return *control;
    }

private:
    [[noreturn]] static void missing(const char* name, const char* kind);

    QHash<QString, QWidget*> byName_;
};

/// Widens a label whose text does not fit its box to the right, so that the
/// whole text shows, but not past rightEdge (in its container's coordinates);
/// nothing else moves.
void widenToFitText(QWidget* label, int rightEdge = INT_MAX);

} // namespace ui

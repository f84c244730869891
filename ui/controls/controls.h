#pragma once

#include "control_table.h"

#include <QHash>
#include <QWidget>

namespace ui {

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

} // namespace ui

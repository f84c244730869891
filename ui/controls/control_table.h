#pragma once

#include <QString>

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

} // namespace ui

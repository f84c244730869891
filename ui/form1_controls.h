#pragma once

#include "control_table.h"

#include <array>

namespace ui {

/// The main window's controls: kind, container, text, place and size in
/// twips, and focus order. Labels and the frame never take focus.
// clang-format off
constexpr std::array form1Controls = {
    //         name              kind                     container text         left  top   width height tab
    ControlRow{"Frame1",         ControlKind::Frame,      "Form1",  nullptr,     120,  240, 1695, 2295,  2},
    ControlRow{"HScroll_HbL",    ControlKind::ScrollBar,  "Frame1", nullptr,     720, 1320,  735,  255,  9},
    ControlRow{"HScroll_Moo",    ControlKind::ScrollBar,  "Frame1", nullptr,     720,  480,  735,  255,  8},
    ControlRow{"Text_Moo",       ControlKind::TextBox,    "Frame1", "0",         120,  480,  615,  285,  5},
    ControlRow{"Text_HbL",       ControlKind::TextBox,    "Frame1", "0.01",      120, 1320,  615,  285,  4},
    ControlRow{"Command1",       ControlKind::Button,     "Frame1", "HESAPLA",   240, 1680, 1215,  495,  3},
    ControlRow{"Label1",         ControlKind::Label,      "Frame1", "Moo =",     120,  240,  615,  255,  7},
    ControlRow{"Label2",         ControlKind::Label,      "Frame1", "H/L =",     120, 1080,  495,  255,  6},
    ControlRow{"Picture_basinc", ControlKind::PictureBox, "Form1",  nullptr,    2040, 3120, 4250, 2535,  1},
    ControlRow{"Picture_Akim",   ControlKind::PictureBox, "Form1",  nullptr,    2040,  360, 4250, 2500,  0},
    ControlRow{"Label3",         ControlKind::Label,      "Form1",  "Akım çizgileri", 3720, 2880, 975, 255, 11},
    ControlRow{"Label4",         ControlKind::Label,      "Form1",
               "Duvar üzerinde basınç katsayılarının dağılımı",                  2760, 5640, 3255,  255, 10},
};

/// The scroll bars hold integers; the input is the value divided by 100.
struct ScrollBarRange {
    const char* name;
    int minimum, maximum, initial, arrowStep, trackStep;
};

constexpr std::array form1ScrollBars = {
    //             name           min  max  initial  arrow step  track step
    ScrollBarRange{"HScroll_Moo", 0,   60,  0,       1,          1},
    ScrollBarRange{"HScroll_HbL", 1,   20,  1,       1,          1},
};
// clang-format on

/// The client area below the menu bar, in twips.
constexpr int form1ClientWidth = 6705;
constexpr int form1ClientHeight = 6150;

} // namespace ui

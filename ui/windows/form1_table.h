#pragma once

#include "control_table.h"

#include <array>

namespace ui {

/// What a screen reader says about the controls that take the focus, in
/// Turkish like the window. The picture boxes describe what they show, which
/// changes with every recalculation.
namespace form1_accessible {
// clang-format off
inline constexpr AccessibleText Picture_Akim{"Akım çizgileri"};
inline constexpr AccessibleText Picture_basinc{"Duvar üzerinde basınç katsayılarının dağılımı"};
inline constexpr AccessibleText Command1{"HESAPLA",
    "Kutulara yazılan Moo ve H/L değerleriyle iki çizimi yeniden hesaplar."};
inline constexpr AccessibleText Text_HbL{"H/L =",
    "Dalga yüksekliğinin dalga boyuna oranı H/L. Yazılan değer HESAPLA düğmesine "
    "basılınca uygulanır. Ondalık ayırıcı noktadır, örneğin 0.05."};
inline constexpr AccessibleText Text_Moo{"Moo =",
    "Serbest akım Mach sayısı Moo. Yazılan değer HESAPLA düğmesine basılınca "
    "uygulanır. Ondalık ayırıcı noktadır, örneğin 0.5; 1 ve üstü hesaplanamaz."};
inline constexpr AccessibleText HScroll_Moo{"Moo",
    "Moo değerini 0 ile 0.60 arasında 0.01 adımlarla ayarlar; her adımda "
    "iki çizim hemen yenilenir."};
inline constexpr AccessibleText HScroll_HbL{"H/L",
    "H/L değerini 0.01 ile 0.20 arasında 0.01 adımlarla ayarlar; her adımda "
    "iki çizim hemen yenilenir."};
// clang-format on
} // namespace form1_accessible

/// The main window's controls: kind, container, text, place and size in
/// twips, focus order, and what a screen reader says. Labels and the frame
/// never take focus.
// clang-format off
inline constexpr std::array form1Controls = {
    //         name              kind                     container text         left  top   width height tab
    ControlRow{"Frame1",         ControlKind::Frame,      "Form1",  nullptr,     120,  240, 1695, 2295,  2},
    ControlRow{"HScroll_HbL",    ControlKind::ScrollBar,  "Frame1", nullptr,     720, 1320,  735,  255,  9, form1_accessible::HScroll_HbL},
    ControlRow{"HScroll_Moo",    ControlKind::ScrollBar,  "Frame1", nullptr,     720,  480,  735,  255,  8, form1_accessible::HScroll_Moo},
    ControlRow{"Text_Moo",       ControlKind::TextBox,    "Frame1", "0",         120,  480,  615,  285,  5, form1_accessible::Text_Moo},
    ControlRow{"Text_HbL",       ControlKind::TextBox,    "Frame1", "0.01",      120, 1320,  615,  285,  4, form1_accessible::Text_HbL},
    ControlRow{"Command1",       ControlKind::Button,     "Frame1", "HESAPLA",   240, 1680, 1215,  495,  3, form1_accessible::Command1},
    ControlRow{"Label1",         ControlKind::Label,      "Frame1", "Moo =",     120,  240,  615,  255,  7},
    ControlRow{"Label2",         ControlKind::Label,      "Frame1", "H/L =",     120, 1080,  495,  255,  6},
    ControlRow{"Picture_basinc", ControlKind::PictureBox, "Form1",  nullptr,    2040, 3120, 4250, 2535,  1, form1_accessible::Picture_basinc},
    ControlRow{"Picture_Akim",   ControlKind::PictureBox, "Form1",  nullptr,    2040,  360, 4250, 2500,  0, form1_accessible::Picture_Akim},
    ControlRow{"Label3",         ControlKind::Label,      "Form1",  "Akım çizgileri", 3720, 2880, 975, 255, 11},
    ControlRow{"Label4",         ControlKind::Label,      "Form1",
               "Duvar üzerinde basınç katsayılarının dağılımı",                  2760, 5640, 3255,  255, 10},
};

/// The scroll bars hold integers; the input a bar stands for is its value
/// divided by handler_steps::barDivisor.
struct ScrollBarRange {
    const char* name;
    int minimum, maximum, initial, arrowStep, trackStep;
};

inline constexpr std::array form1ScrollBars = {
    //             name           min  max  initial  arrow step  track step
    ScrollBarRange{"HScroll_Moo", 0,   60,  0,       1,          1},
    ScrollBarRange{"HScroll_HbL", 1,   20,  1,       1,          1},
};
// clang-format on

/// The client area below the menu bar, in twips.
inline constexpr int form1ClientWidth = 6705;
inline constexpr int form1ClientHeight = 6150;

} // namespace ui

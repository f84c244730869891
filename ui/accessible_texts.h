#pragma once

// What a screen reader says about the main window's controls, in Turkish like
// the window. The picture boxes also say in words what they show, which
// changes with every recalculation.

#include <QString>

#include <array>

namespace flow {
class RunTimeError;
}

namespace ui {

struct AccessibleText {
    const char* name;        ///< object name of the control
    const char* accessible;  ///< accessible name
    const char* description; ///< accessible description; nullptr where it changes
};

// clang-format off
inline constexpr std::array form1AccessibleTexts = {
    AccessibleText{"Picture_Akim", "Akım çizgileri", nullptr},
    AccessibleText{"Picture_basinc", "Duvar üzerinde basınç katsayılarının dağılımı", nullptr},
    AccessibleText{"Command1", "HESAPLA",
        "Kutulara yazılan Moo ve H/L değerleriyle iki çizimi yeniden hesaplar."},
    AccessibleText{"Text_HbL", "H/L =",
        "Dalga yüksekliğinin dalga boyuna oranı H/L. Yazılan değer HESAPLA düğmesine "
        "basılınca uygulanır. Ondalık ayırıcı noktadır, örneğin 0.05."},
    AccessibleText{"Text_Moo", "Moo =",
        "Serbest akım Mach sayısı Moo. Yazılan değer HESAPLA düğmesine basılınca "
        "uygulanır. Ondalık ayırıcı noktadır, örneğin 0.5; 1 ve üstü hesaplanamaz."},
    AccessibleText{"HScroll_Moo", "Moo kaydırma çubuğu",
        "Moo değerini 0 ile 0.60 arasında 0.01 adımlarla ayarlar; her adımda "
        "iki çizim hemen yenilenir."},
    AccessibleText{"HScroll_HbL", "H/L kaydırma çubuğu",
        "H/L değerini 0.01 ile 0.20 arasında 0.01 adımlarla ayarlar; her adımda "
        "iki çizim hemen yenilenir."},
};
// clang-format on

enum class Plot { Streamlines, Pressure };

/// A plot not drawn yet.
QString blankPlotDescription();

/// A plot drawn completely for the inputs Moo and HbL.
QString drawnPlotDescription(Plot plot, double Moo, double HbL);

/// A plot whose drawing for Moo and HbL stopped part way with error.
QString stoppedPlotDescription(Plot plot, double Moo, double HbL, const flow::RunTimeError& error);

/// A plot left as it was because the calculation stopped before reaching it.
QString unchangedPlotDescription(const QString& shown, const flow::RunTimeError& error);

} // namespace ui

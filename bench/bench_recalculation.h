#pragma once

// Three measurements of one recalculation for a fixed input:
//   recalculation - a click on HESAPLA in a shown main window until both
//                   picture boxes hold the new plots;
//   floor         - the same segments, already in device pixels, painted
//                   onto two images of the same sizes with a plain QPainter;
//   arithmetic    - both plot procedures on a surface that discards calls.
// and, to tell the program's share of a click from the button's, the same
// recalculation started by QAbstractButton::click(), which emits clicked
// without the button's own repaints on press and release.

namespace bench {

inline constexpr const char* recalculationName = "recalculation";
inline constexpr const char* floorName = "floor";
inline constexpr const char* arithmeticName = "arithmetic";
inline constexpr const char* withoutButtonName = "recalculation_without_button_repaints";

/// Needs a QApplication.
void registerRecalculationBenchmarks();

} // namespace bench

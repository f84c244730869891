#pragma once

// Measurements of one recalculation for a fixed input:
//   recalculation  - a click on HESAPLA in a shown main window until both
//                    picture boxes hold the new plots;
//   click floor    - a click on a plain button of HESAPLA's size and style in
//                    a bare window, painting the same segments, already in
//                    device pixels, onto two cleared images of the same sizes:
//                    what the toolkit needs for the same click;
//   drawing floor  - the painting of those segments alone;
//   arithmetic     - both plot procedures on a surface that discards calls;
// the recalculation again while assistive technology listens, which is what
// descriptions and announcements for screen readers cost; and, to tell the
// program's share of a click from the button's, the recalculation started by
// QAbstractButton::click(), which emits clicked without the button's own
// repaints on press and release.

namespace bench {

inline constexpr const char* recalculationName = "recalculation";
inline constexpr const char* clickFloorName = "click_floor";
inline constexpr const char* drawingFloorName = "drawing_floor";
inline constexpr const char* arithmeticName = "arithmetic";
inline constexpr const char* withAccessibilityName = "recalculation_with_accessibility";
inline constexpr const char* withoutButtonName = "recalculation_without_button_repaints";

/// How long each benchmark runs: long enough for medians to compare, or once
/// and briefly, to see that it runs at all (CI).
enum class Length { measured, brief };

/// Needs a QApplication.
void registerRecalculationBenchmarks(Length length);

} // namespace bench

#pragma once

// Colours that stay readable whatever palette the desktop hands the program.
// The program fixes a few backgrounds of its own (the About window and the
// picture boxes are light yellow) while everything else follows the desktop,
// which may be dark; contrast is measured as WCAG 2.1 does.

#include <QColor>
#include <QPalette>

namespace ui {

/// The contrast ratio of two opaque colours: 1 for equal luminance, 21 for
/// black on white.
double contrastRatio(const QColor& a, const QColor& b);

/// The toolkit's standard light palette, whatever the desktop's: the colours
/// left to the toolkit for what stands on one of the program's own light
/// backgrounds.
QPalette lightPalette();

/// The colour of a keyboard focus mark drawn on or beside a colour: the
/// palette's highlight where it stands out from that colour by 3:1, else the
/// same hue made only as much lighter or darker as it takes.
QColor focusMarkColour(const QPalette& palette, const QColor& beside);

/// One control's focus-mark colour, kept between paints: the search of
/// focusMarkColour runs again only when the palette's highlight or the colour
/// beside the mark has changed.
class FocusMark {
public:
    QColor colour(const QPalette& palette, const QColor& beside);

private:
    QRgb highlight_ = 0, beside_ = 0;
    QColor colour_; ///< invalid until first asked
};

/// The text colour to write on a fill: the one given where it reads at 4.5:1,
/// else black or white, whichever contrasts more.
QColor textColourOn(const QColor& fill, const QColor& text);

} // namespace ui

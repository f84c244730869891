#include "readable_colours.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double markContrast = 3.0; // WCAG 2.1 non-text contrast
constexpr double textContrast = 4.5; // WCAG 2.1 text at these small sizes

double luminance(const QColor& c)
{
    auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A style may hand out a dark standard palette on a dark desktop (Fusion
// does); the one every style starts from, QStyle's own, is light on any.
QPalette lightPalette()
{
    return QApplication::style()->QStyle::standardPalette();
}

QColor focusMarkColour(const QPalette& palette, const QColor& beside)
{
    const QColor highlight = palette.color(QPalette::Highlight);
    if (contrastRatio(highlight, beside) >= markContrast)
        return highlight;
    // Nearest lightness first, either way: black or white stands out from any
    // colour by more than 4.5:1, so one of the ends is always enough.
    const int hue = std::max(0, highlight.hslHue()), saturation = highlight.hslSaturation();
    for (int step = 1; step <= 255; ++step)
        for (int lightness : {highlight.lightness() + step, highlight.lightness() - step}) {
            const QColor candidate =
                QColor::fromHsl(hue, saturation, std::clamp(lightness, 0, 255));
            if (contrastRatio(candidate, beside) >= markContrast)
                return candidate;
        }
    return highlight; // not reached
}

QColor FocusMark::colour(const QPalette& palette, const QColor& beside)
{
    const QRgb highlight = palette.color(QPalette::Highlight).rgba();
    if (!colour_.isValid() || highlight != highlight_ || beside.rgba() != beside_) {
        colour_ = focusMarkColour(palette, beside);
        highlight_ = highlight;
        beside_ = beside.rgba();
    }
    return colour_;
}

QColor textColourOn(const QColor& fill, const QColor& text)
{
    if (contrastRatio(fill, text) >= textContrast)
        return text;
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(fill, black) >= contrastRatio(fill, white) ? black : white;
}

} // namespace ui

#pragma once

// The click floor: what any Qt program pays for the user's click on a button
// that draws the recalculation's plots. A bare window holds a plain
// QPushButton of HESAPLA's size and style; a real click on it (press and
// release, each repainting the button) fills two images of the picture
// boxes' sizes with the background, as Cls does, and paints the recorded
// segments onto them. Nothing else: no arithmetic, mapping or queueing.

#include "recorded_segments.h"

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <memory>

namespace bench {

/// HESAPLA in the main window: its size in pixels and its font's pixel size.
inline constexpr QSize hesaplaSize{81, 33};
inline constexpr int hesaplaFontPixels = 11;

class ClickFloor {
public:
    /// Shows the window; plots must outlive it.
    ClickFloor(const DevicePlots& plots, QColor background);
    ~ClickFloor();

    /// One left click on the button, pressed and released inside it, as the
    /// recalculation is clicked.
    void click();

    const QImage& streamlines() const { return streamlines_; }
    const QImage& pressure() const { return pressure_; }
    int clicks() const { return clicks_; }

private:
    void paint();

    const DevicePlots& plots_;
    QColor background_;
    QImage streamlines_;
    QImage pressure_;
    std::unique_ptr<QWidget> window_;
    QPushButton* button_;
    int clicks_ = 0;
};

} // namespace bench

#pragma once

// The floors a recalculation is measured against: its segments as the picture
// boxes map them to device pixels, and the click floor, a bare window with a
// plain QPushButton of HESAPLA's size and style whose real click fills two
// images of the boxes' sizes with the background, as Cls does, and paints the
// segments onto them: no arithmetic, mapping or queueing.

#include "picture_box.h"

#include <QColor>
#include <QPushButton>

#include <utility>
#include <vector>

namespace bench {

/// One plot's segments in the device pixels of an image of its size.
struct DevicePlot {
    QSize size;
    std::vector<std::pair<QLineF, flow::Colour>> segments;
};

struct DevicePlots {
    DevicePlot streamlines, pressure;
};

/// What a box holds, mapped by the box itself onto an image of its rendered size.
DevicePlot devicePlot(ui::PictureBox& box);

/// Paints a plot's segments onto an image with the picture box's painter.
void drawSegments(QImage& image, const DevicePlot& plot);

/// HESAPLA in the main window: its size in pixels and its font's pixel size.
inline constexpr QSize hesaplaSize{81, 33};
inline constexpr int hesaplaFontPixels = 11;

class ClickFloor {
public:
    /// Shows the window; plots must outlive it.
    ClickFloor(const DevicePlots& plots, QColor background);

    /// One left click on the button, pressed and released inside it, as the
    /// recalculation is clicked.
    void click();

    const QImage& streamlines() const { return streamlines_; }
    const QImage& pressure() const { return pressure_; }
    int clicks() const { return clicks_; }

private:
    const DevicePlots& plots_;
    QColor background_;
    QImage streamlines_, pressure_;
    QWidget window_;
    QPushButton* button_ = new QPushButton(QStringLiteral("HESAPLA"), &window_);
    int clicks_ = 0;
};

} // namespace bench

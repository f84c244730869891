#pragma once

#include "device_mapping.h"
#include "plot_surface.h"
#include "readable_colours.h"

#include <QFrame>
#include <QImage>

#include <functional>
#include <vector>

namespace ui {

/// A sunken box that the plots draw on. It keeps every segment since the last
/// Cls as fractions of its drawing area and draws them, in one pass when next
/// needed, into an image at the area's device-pixel size, which painting only
/// copies: a plot survives being covered or minimized, and a new area or pixel
/// ratio (a new border, a screen of another density) redraws it anew, crisp.
class PictureBox : public QFrame, public flow::PlotSurface {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackgroundColour(flow::Colour colour);

    void Cls() override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, flow::Colour colour) override;

    /// Where a screen reader's question for the box's description goes: what
    /// it shows changes with every recalculation.
    void setDescriber(std::function<QString()> describer) { describer_ = std::move(describer); }
    QString description() const { return describer_ ? describer_() : accessibleDescription(); }

    /// Brings the image (the drawing area, one pixel a device unit) up to date,
    /// drawing what is not in it yet (everything at a new size or pixel ratio).
    const QImage& renderedImage();

    /// The box's mapping of its segments to pixels: draw(line, colour) for each
    /// kept segment, from the first'th on, that lies on an image of this size.
    template <class Draw>
    void forEachDeviceLine(QSize device, Draw draw, std::size_t first = 0) const
    {
        for (auto segment = segments_.begin() + first; segment != segments_.end(); ++segment)
            if (const auto line = toDevice(*segment, device))
                draw(*line, segment->colour);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QSize deviceSize() const;

    flow::Colour background_ = 0x00FFFFFF;
    UserScale scale_;
    std::vector<AreaSegment> segments_; ///< drawn since the last Cls
    std::size_t segmentsInImage_ = 0;   ///< how many of them the image holds
    QImage image_;
    std::function<QString()> describer_;
    FocusMark focusMark_;
};

} // namespace ui

#pragma once

#include "device_mapping.h"
#include "plot_surface.h"
#include "readable_colours.h"

#include <QFrame>
#include <QImage>

#include <functional>
#include <vector>

namespace ui {

/// A sunken box that the plots draw on. It keeps every segment drawn since
/// the last Cls, as fractions of its drawing area, and draws them into an
/// image at the drawing area's device-pixel size: painting only copies the
/// image, so a plot survives being covered or minimized. When the drawing
/// area or the pixel ratio changes (a new border, a move to a screen of
/// another density), the image is made again at the new size and every kept
/// segment drawn anew, crisp. Segments are drawn into the image in one pass
/// when it is next needed, not one by one as they arrive.
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

    /// Brings the image up to date, drawing the segments not drawn yet (all
    /// of them at a new size or pixel ratio), and returns it: the drawing
    /// area, one pixel a device unit.
    const QImage& renderedImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QSize deviceSize() const;
    void drawPendingSegments();

    flow::Colour background_ = 0x00FFFFFF;
    UserScale scale_;
    std::vector<AreaSegment> segments_; ///< drawn since the last Cls
    std::size_t segmentsInImage_ = 0;   ///< how many of them the image holds
    QImage image_;
    std::function<QString()> describer_;
    FocusMark focusMark_;
};

} // namespace ui

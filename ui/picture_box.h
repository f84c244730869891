#pragma once

#include "plot_surface.h"

#include <QFrame>
#include <QImage>
#include <QLineF>

#include <vector>

namespace ui {

/// A sunken box that the plots draw on. Everything is drawn into an image at
/// the screen's device-pixel resolution, so a plot survives being covered or
/// minimized and stays crisp on a dense screen; painting only copies it.
/// Segments are clipped in double precision and queued, and the queue is
/// drawn into the image in one pass when the image is next needed.
class PictureBox : public QFrame, public flow::PlotSurface {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackgroundColour(flow::Colour colour);
    flow::Colour backgroundColour() const { return background_; }

    void Cls() override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, flow::Colour colour) override;

    /// The drawing area as drawn so far, one pixel a device unit.
    const QImage& image();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Segment {
        QLineF line;
        flow::Colour colour;
    };

    void makeImage();
    void drawQueuedSegments();

    /// Whether the image still has the drawing area's device size, known
    /// without measuring the area and the pixel ratio again: a hidden widget
    /// is resized without an event, so its size is compared as well.
    bool imageFitsArea() const { return fittedToArea_ && fittedWidgetSize_ == size(); }

    flow::Colour background_ = 0x00FFFFFF;
    QImage image_;
    std::vector<Segment> queued_;
    bool fittedToArea_ = false;
    QSize fittedWidgetSize_;
    // User coordinate system: (left, top) is the upper-left corner of the
    // drawing area; width and height may be negative.
    double left_ = 0.0, top_ = 0.0, width_ = 0.0, height_ = 0.0;
};

} // namespace ui

#include "picture_box.h"

#include "accessible_factory.h"
#include "qt_colour.h"
#include "segment_painter.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QWindow>

#include <cmath>

namespace ui {

namespace {

// Screen readers announce a picture box as a graphic, not as a bare frame,
// and ask it what it shows.
class AccessiblePictureBox : public QAccessibleWidget {
public:
    explicit AccessiblePictureBox(PictureBox* box)
        : QAccessibleWidget(box, QAccessible::Graphic)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return static_cast<const PictureBox*>(object())->description();
        return QAccessibleWidget::text(t);
    }
};

// Room for the streamline plot's segments, the more of the two plots.
constexpr std::size_t plotSegments = 1024;

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    installAccessibleInterface<PictureBox, AccessiblePictureBox>();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    segments_.reserve(plotSegments);
}

void PictureBox::setBackgroundColour(flow::Colour colour)
{
    background_ = colour;
    Cls();
}

void PictureBox::Cls()
{
    segments_.clear();
    segmentsInImage_ = 0;
    if (image_.size() == deviceSize())
        image_.fill(toQColor(background_));
    else
        image_ = QImage(); // made anew at the right size when next needed
    update();
}

void PictureBox::Scale(float x1, float y1, float x2, float y2)
{
    scale_ = UserScale::fromCorners(x1, y1, x2, y2);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, flow::Colour colour)
{
    const auto segment = toArea(scale_, x1, y1, x2, y2, colour);
    if (!segment)
        return;
    // The repaint asked for by the first new segment draws them all; asking
    // again for each of a plot's hundreds of segments costs more than
    // keeping them.
    if (segments_.size() == segmentsInImage_)
        update();
    segments_.push_back(*segment);
}

// The drawing area in device pixels: a hidden box is resized without an event
// and a box moves between screens of other densities, so it is measured
// whenever the image is needed.
QSize PictureBox::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize area = contentsRect().size();
    return QSize(int(std::lround(area.width() * ratio)), int(std::lround(area.height() * ratio)))
        .expandedTo(QSize(1, 1));
}

const QImage& PictureBox::renderedImage()
{
    if (const QSize device = deviceSize(); image_.size() != device) {
        image_ = QImage(device, QImage::Format_RGB32);
        image_.fill(toQColor(background_));
        segmentsInImage_ = 0;
    }
    if (segmentsInImage_ != segments_.size()) {
        SegmentPainter painter(&image_);
        forEachDeviceLine(
            image_.size(),
            [&](const QLineF& line, flow::Colour colour) { painter.draw(line, colour); },
            segmentsInImage_);
        segmentsInImage_ = segments_.size();
    }
    return image_;
}

// A move to a screen of another density changes the pixel ratio, and with it
// the image, without resizing the box.
void PictureBox::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    if (QWindow* window = this->window()->windowHandle())
        connect(window, &QWindow::screenChanged, this, qOverload<>(&QWidget::update),
                Qt::UniqueConnection);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the sunken border
    QPainter painter(this);
    painter.drawImage(QRectF(contentsRect()), renderedImage());
    if (hasFocus()) {
        // A keyboard user sees where the focus is: the border's inner line
        // takes the highlight colour, as far as it stands out from the fixed
        // background beside it. The plot itself is left untouched.
        painter.setPen(QPen(focusMark_.colour(palette(), toQColor(background_)), 0));
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

} // namespace ui

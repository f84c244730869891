#include "picture_box.h"

#include "colour.h"
#include "segment_clip.h"

#include <QAccessibleWidget>
#include <QPainter>

#include <cmath>
#include <utility>

namespace ui {

namespace {

// Screen readers announce a picture box as a graphic, not as a bare frame.
QAccessibleInterface* accessibleGraphic(const QString& className, QObject* object)
{
    if (className == QLatin1String(PictureBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleGraphic), true);
    Q_UNUSED(factoryInstalled);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    makeImage();
}

void PictureBox::setBackgroundColour(flow::Colour colour)
{
    background_ = colour;
    Cls();
}

void PictureBox::Cls()
{
    makeImage();
    queued_.clear();
    image_.fill(toQColor(background_));
    update();
}

void PictureBox::Scale(float x1, float y1, float x2, float y2)
{
    left_ = x1;
    top_ = y1;
    width_ = double(x2) - double(x1);
    height_ = double(y2) - double(y1);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, flow::Colour colour)
{
    if (width_ == 0.0 || height_ == 0.0)
        return; // a degenerate coordinate system shows nothing
    if (!imageFitsArea())
        makeImage();
    const double w = image_.width();
    const double h = image_.height();
    auto deviceX = [&](float x) { return (double(x) - left_) / width_ * w; };
    auto deviceY = [&](float y) { return (double(y) - top_) / height_ * h; };
    const auto clipped =
        clipSegment(deviceX(x1), deviceY(y1), deviceX(x2), deviceY(y2), QRectF(0, 0, w, h));
    if (!clipped)
        return;
    // The repaint asked for by the first queued segment draws the whole
    // queue; asking again for each of a plot's hundreds of segments costs
    // more than mapping them.
    const bool firstQueued = queued_.empty();
    queued_.push_back({*clipped, colour});
    if (firstQueued)
        update();
}

const QImage& PictureBox::image()
{
    makeImage();
    drawQueuedSegments();
    return image_;
}

void PictureBox::drawQueuedSegments()
{
    if (queued_.empty())
        return;
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The streamlines alternate red and blue segment by segment: switching
    // between ready pens is cheaper than recolouring one pen each time.
    std::vector<std::pair<flow::Colour, QPen>> pens;
    auto penFor = [&pens](flow::Colour colour) -> const QPen& {
        for (const auto& [penColour, pen] : pens)
            if (penColour == colour)
                return pen;
        return pens.emplace_back(colour, QPen(toQColor(colour), 1, Qt::SolidLine, Qt::SquareCap))
            .second;
    };
    flow::Colour current = queued_.front().colour;
    painter.setPen(penFor(current));
    for (const Segment& segment : queued_) {
        if (segment.colour != current) {
            current = segment.colour;
            painter.setPen(penFor(current));
        }
        painter.drawLine(segment.line);
    }
    queued_.clear();
}

// A hidden widget gets its resize event only when shown, so the image is
// fitted to the drawing area whenever it is used.
void PictureBox::makeImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize area = contentsRect().size();
    const QSize device(int(std::lround(area.width() * ratio)),
                       int(std::lround(area.height() * ratio)));
    fittedWidgetSize_ = size();
    fittedToArea_ = true;
    if (image_.size() == device)
        return;
    image_ = QImage(device.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    queued_.clear();
    image_.fill(toQColor(background_));
}

// A new border width or a move to another screen changes the drawing area
// without changing the widget's size.
bool PictureBox::event(QEvent* event)
{
    if (event->type() == QEvent::ContentsRectChange ||
        event->type() == QEvent::ScreenChangeInternal)
        fittedToArea_ = false;
    return QFrame::event(event);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    makeImage();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event); // the sunken border
    QPainter painter(this);
    painter.drawImage(QRectF(contentsRect()), image());
    if (hasFocus()) {
        // A keyboard user sees where the focus is: the border's inner line
        // takes the highlight colour. The plot itself is left untouched.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 0));
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

#include "click_floor.h"

#include <QTest>

#include <stdexcept>

namespace bench {

ClickFloor::ClickFloor(const DevicePlots& plots, QColor background)
    : plots_(plots)
    , background_(background)
    , streamlines_(plots.streamlines.size, QImage::Format_RGB32)
    , pressure_(plots.pressure.size, QImage::Format_RGB32)
    , window_(std::make_unique<QWidget>())
    , button_(new QPushButton(QStringLiteral("HESAPLA"), window_.get()))
{
    QFont font;
    font.setPixelSize(hesaplaFontPixels);
    window_->setFont(font);
    window_->setWindowTitle(QStringLiteral("wavywall click floor"));
    window_->resize(447, 410); // the main window's client area
    // As the program's button: no default-button frame, and opaque, so that
    // pressing it repaints the button alone.
    button_->setAutoDefault(false);
    button_->setAutoFillBackground(true);
    button_->setGeometry(QRect(QPoint(24, 128), hesaplaSize));
    QObject::connect(button_, &QPushButton::clicked, [this] {
        ++clicks_;
        paint();
    });
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        throw std::runtime_error("the click floor's window was never exposed");
}

ClickFloor::~ClickFloor() = default;

void ClickFloor::click()
{
    QTest::mouseClick(button_, Qt::LeftButton);
}

void ClickFloor::paint()
{
    streamlines_.fill(background_);
    drawSegments(streamlines_, plots_.streamlines);
    pressure_.fill(background_);
    drawSegments(pressure_, plots_.pressure);
}

} // namespace bench

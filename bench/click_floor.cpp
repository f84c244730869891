#include "click_floor.h"

#include "segment_painter.h"

#include <QTest>

#include <stdexcept>

namespace bench {

DevicePlot devicePlot(ui::PictureBox& box)
{
    DevicePlot plot{box.renderedImage().size(), {}};
    box.forEachDeviceLine(plot.size, [&](const QLineF& line, flow::Colour colour) {
        plot.segments.emplace_back(line, colour);
    });
    return plot;
}

void drawSegments(QImage& image, const DevicePlot& plot)
{
    ui::SegmentPainter painter(&image);
    for (const auto& [line, colour] : plot.segments)
        painter.draw(line, colour);
}

ClickFloor::ClickFloor(const DevicePlots& plots, QColor background)
    : plots_(plots)
    , background_(background)
    , streamlines_(plots.streamlines.size, QImage::Format_RGB32)
    , pressure_(plots.pressure.size, QImage::Format_RGB32)
{
    QFont font;
    font.setPixelSize(hesaplaFontPixels);
    window_.setFont(font);
    window_.setWindowTitle(QStringLiteral("wavywall click floor"));
    window_.resize(447, 410); // the main window's client area
    // As the program's button: no default-button frame, and opaque, so that
    // pressing it repaints the button alone.
    button_->setAutoDefault(false);
    button_->setAutoFillBackground(true);
    button_->setGeometry(QRect(QPoint(24, 128), hesaplaSize));
    QObject::connect(button_, &QPushButton::clicked, [this] {
        ++clicks_;
        streamlines_.fill(background_);
        drawSegments(streamlines_, plots_.streamlines);
        pressure_.fill(background_);
        drawSegments(pressure_, plots_.pressure);
    });
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_))
        throw std::runtime_error("the click floor's window was never exposed");
}

void ClickFloor::click()
{
    QTest::mouseClick(button_, Qt::LeftButton);
}

} // namespace bench

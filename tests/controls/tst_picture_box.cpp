// Pixels of a rendered picture box.

#include "handler_replay.h"
#include "picture_box.h"
#include "pixels.h"

#include <QTest>

#include <cfloat>

using flow::Colour;
namespace colours = flow::colours;
using ui::PictureBox;

namespace {

/// A box the size of the streamline plot's, on the streamline plot's scale.
std::unique_ptr<PictureBox> streamlineBox()
{
    auto box = std::make_unique<PictureBox>();
    box->resize(283, 167);
    box->setBackgroundColour(colours::lightYellow);
    box->Cls();
    box->Scale(-0.2f, -1.8f, 2.2f, 0.2f);
    return box;
}

} // namespace

class TestPictureBox : public QObject {
    Q_OBJECT

    std::unique_ptr<PictureBox> box; ///< a fresh one for every test

private slots:
    void init() { box = streamlineBox(); }

    void drawingAreaIsInsideTheSunkenBorder()
    {
        QCOMPARE(box->frameShadow(), QFrame::Sunken);
        const QImage& image = box->renderedImage();
        QCOMPARE(image.size(), box->contentsRect().size() * box->devicePixelRatioF());
        const double logicalWidth = image.width() / box->devicePixelRatioF();
        QVERIFY(logicalWidth < 283 && logicalWidth >= 279);
        QVERIFY(onlyColour(image, colours::lightYellow));
    }

    void verticalSegmentRunsTheFullHeight()
    {
        box->Line(1.0f, 0.2f, 1.0f, -1.8f, colours::black);
        const QRect painted = extent(box->renderedImage(), colours::black);
        QCOMPARE(painted.width(), 1); // one device pixel wide
        QCOMPARE(painted.top(), 0);
        QCOMPARE(painted.height(), box->renderedImage().height());
        QVERIFY(std::abs(painted.left() - box->renderedImage().width() / 2) <= 1);
        QCOMPARE(pixelsOf(box->renderedImage(), colours::black), box->renderedImage().height());
    }

    void pointsOnTheEdgesLandOnTheEdges()
    {
        const int w = box->renderedImage().width();
        const int h = box->renderedImage().height();
        // Short segments from an edge point inwards.
        box->Line(1.0f, -1.8f, 1.0f, -1.0f, colours::red);
        QCOMPARE(extent(box->renderedImage(), colours::red).top(), 0);
        box->Line(1.0f, 0.2f, 1.0f, -1.0f, colours::blue);
        QVERIFY(extent(box->renderedImage(), colours::blue).bottom() >= h - 2);
        box->Cls();
        box->Line(-0.2f, -0.8f, 1.0f, -0.8f, colours::red);
        QCOMPARE(extent(box->renderedImage(), colours::red).left(), 0);
        box->Line(2.2f, -0.3f, 1.0f, -0.3f, colours::blue);
        QVERIFY(extent(box->renderedImage(), colours::blue).right() >= w - 2);
    }

    void clsLeavesOnlyTheBackground()
    {
        box->Line(-0.2f, -1.8f, 2.2f, 0.2f, colours::blue);
        box->Line(0.0f, -1.0f, 2.0f, -1.0f, colours::red);
        QVERIFY(!onlyColour(box->renderedImage(), colours::lightYellow));
        box->Cls();
        QVERIFY(onlyColour(box->renderedImage(), colours::lightYellow));
        // Cls keeps the coordinate system.
        box->Line(1.0f, 0.2f, 1.0f, -1.8f, colours::black);
        QCOMPARE(pixelsOf(box->renderedImage(), colours::black), box->renderedImage().height());
    }

    void blueOverRedLeavesNoRed()
    {
        for (int i = 0; i < 100; ++i) {
            const float x1 = i / 50.0f, x2 = (i + 1) / 50.0f;
            const float y1 = -0.5f - 0.3f * std::cos(x1 * 6.2831853f);
            const float y2 = -0.5f - 0.3f * std::cos(x2 * 6.2831853f);
            box->Line(x1, y1, x2, y2, colours::red);
            box->Line(x1, y1, x2, y2, colours::blue);
        }
        QCOMPARE(pixelsOf(box->renderedImage(), colours::red), 0);
        QVERIFY(pixelsOf(box->renderedImage(), colours::blue) > 200);
    }

    void segmentsOutsideChangeNothing()
    {
        box->Line(-1.0f, -1.0f, -0.5f, 1.0f, colours::black);      // left of the area
        box->Line(0.0f, 0.3f, 2.0f, 5.0f, colours::black);         // below it
        box->Line(0.0f, -FLT_MAX, 2.0f, -FLT_MAX, colours::black); // far above
        QVERIFY(onlyColour(box->renderedImage(), colours::lightYellow));
    }

    void hugeCoordinatesAreClippedExactly()
    {
        // A wall of height 1E30 crossing the plot near x = 0.25: nearly
        // vertical, it must show as a short vertical run at that x.
        box->Line(0.24f, -6.3e28f, 0.26f, 6.3e28f, colours::black);
        box->Line(1.0f, FLT_MAX, 1.0f, -FLT_MAX, colours::blue);
        const QImage& image = box->renderedImage();
        const int expectedColumn = int((0.25 + 0.2) / 2.4 * image.width());
        const QRect painted = extent(image, colours::black);
        QVERIFY2(painted.left() >= expectedColumn - 1 && painted.right() <= expectedColumn + 1,
                 qPrintable(QString("columns %1 to %2").arg(painted.left()).arg(painted.right())));
        QVERIFY(pixelsOf(image, colours::black) >= image.height() - 1);
        QCOMPARE(pixelsOf(image, colours::blue), image.height());
    }

    void drawnPlotSurvivesRepaint()
    {
        box->setFocusPolicy(Qt::NoFocus); // keep the focus line out of the comparison
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        box->Line(1.0f, 0.2f, 1.0f, -1.8f, colours::black);
        const QImage shown = box->grab().toImage();
        box->hide();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QCOMPARE(box->grab().toImage(), shown);
        // The border is painted around the drawing, not over it.
        const QPoint inside =
            (box->contentsRect().topLeft() + QPoint(1, 1)) * box->devicePixelRatioF();
        QCOMPARE(shown.pixel(inside), toQRgb(colours::lightYellow));
        QVERIFY(shown.pixel(0, 0) != toQRgb(colours::lightYellow));
    }

    void plotKeptThroughABorderChange()
    {
        // A wider border shrinks the drawing area: the plot is drawn again at
        // the new size, as a box that had the wider border from the start
        // draws it.
        auto drawPlot = [](PictureBox& on) {
            for (const flow::SurfaceCall& line : linesOf(recalculate(0.6, 0.1)->akim)) {
                const auto& [x1, y1, x2, y2] = line.coordinates;
                on.Line(x1, y1, x2, y2, line.colour);
            }
        };
        drawPlot(*box);
        QVERIFY(pixelsOf(box->renderedImage(), colours::black) > 100);
        box->setLineWidth(6);
        const auto wider = streamlineBox();
        wider->setLineWidth(6);
        drawPlot(*wider);
        QCOMPARE(box->renderedImage().size(), QSize(283 - 12, 167 - 12) * box->devicePixelRatioF());
        QCOMPARE(box->renderedImage(), wider->renderedImage());
        QVERIFY(pixelsOf(box->renderedImage(), colours::black) > 100);
    }

    void focusShowsOnTheBorderOnly()
    {
        QWidget window;
        auto* focusable = new PictureBox(&window);
        auto* other = new PictureBox(&window);
        focusable->setGeometry(0, 0, 283, 167);
        other->setGeometry(0, 170, 20, 20);
        focusable->setBackgroundColour(colours::lightYellow);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        const QImage unfocused = focusable->grab().toImage();
        focusable->setFocus();
        QTRY_VERIFY(focusable->hasFocus());
        const QImage focused = focusable->grab().toImage();
        QVERIFY(focused != unfocused);
        const qreal ratio = focusable->devicePixelRatioF();
        const QRect inside(focusable->contentsRect().topLeft() * ratio,
                           focusable->contentsRect().size() * ratio);
        QCOMPARE(focused.copy(inside), unfocused.copy(inside));
    }
};

QTEST_MAIN(TestPictureBox)
#include "tst_picture_box.moc"

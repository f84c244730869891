// The program's icon: a dark wall with a red and a blue streamline over it on
// light yellow, at the sizes a desktop shows, and on both windows. Run with
// WAVYWALL_HIDE_IMAGE_PLUGINS set, the test reaches no image format or icon
// engine plugin, as on a system without Qt's SVG module, and the icon must
// come from its PNG renderings.

#include "app_icon.h"
#include "form1_fixture.h"

#include <QApplication>
#include <QImageReader>
#include <QLibraryInfo>
#include <QScopeGuard>
#include <QTest>

#include <array>

namespace {

bool pluginsHidden()
{
    return qEnvironmentVariableIsSet("WAVYWALL_HIDE_IMAGE_PLUGINS");
}

enum Ink { Paper, Wall, Red, Blue, Inks };

/// The ink an opaque pixel shows, or Inks for edges and blends.
Ink inkOf(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (qAlpha(pixel) < 224)
        return Inks;
    if (r >= 230 && g >= 230 && b >= 150 && b <= 220)
        return Paper;
    if (r <= 70 && g <= 70 && b <= 70)
        return Wall;
    if (r >= 180 && g <= 90 && b <= 90)
        return Red;
    if (b >= 180 && r <= 100 && g <= 140)
        return Blue;
    return Inks;
}

struct Census {
    std::array<int, Inks> pixels{};
    std::array<double, Inks> meanRow{};
};

Census censusOf(const QImage& image)
{
    Census census;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const Ink ink = inkOf(image.pixel(x, y)); ink != Inks) {
                ++census.pixels[ink];
                census.meanRow[ink] += y;
            }
    for (int ink = 0; ink < Inks; ++ink)
        if (census.pixels[ink] > 0)
            census.meanRow[ink] /= census.pixels[ink];
    return census;
}

QImage iconImage(int size)
{
    return app::applicationIcon()
        .pixmap(QSize(size, size), 1.0)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

/// The share of pixels in which some channel differs by more than a blend.
double differingShare(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            differing += qAbs(qRed(p) - qRed(q)) > 64 || qAbs(qGreen(p) - qGreen(q)) > 64 ||
                         qAbs(qBlue(p) - qBlue(q)) > 64 || qAbs(qAlpha(p) - qAlpha(q)) > 64;
        }
    return double(differing) / (a.width() * a.height());
}

} // namespace

class TestAppIcon : public QObject {
    Q_OBJECT

private slots:

    void drawsTheWallAndBothStreamlines_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 64})
            QTest::addRow("%dx%d", size, size) << size;
    }

    void drawsTheWallAndBothStreamlines()
    {
        QFETCH(int, size);
        QVERIFY(!app::applicationIcon().isNull());
        const QImage image = iconImage(size);
        QCOMPARE(image.size(), QSize(size, size));

        const Census census = censusOf(image);
        const char* const names[Inks] = {"light yellow", "dark wall", "red", "blue"};
        for (int ink = 0; ink < Inks; ++ink)
            QVERIFY2(
                census.pixels[ink] >= size * size / 64,
                qPrintable(QString("%1 pixels of %2").arg(census.pixels[ink]).arg(names[ink])));
        QVERIFY2(census.meanRow[Red] < census.meanRow[Blue],
                 "the red streamline is above the blue");
        QVERIFY2(census.meanRow[Blue] < census.meanRow[Wall],
                 "the blue streamline is above the wall");

        // a rounded square: its corners are left clear
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            QVERIFY(qAlpha(image.pixel(corner)) < 128);
    }

    void readsSvgAndGrowsBeyondItsRenderingsOnlyWithThePlugins()
    {
        QCOMPARE(QImageReader::supportedImageFormats().contains("svg"), !pluginsHidden());
        // QIcon never enlarges a pixmap, so the renderings stop at 64 pixels.
        const QSize expected = pluginsHidden() ? QSize(64, 64) : QSize(256, 256);
        QCOMPARE(app::applicationIcon().actualSize(QSize(256, 256)), expected);
    }

    void showsTheSameDrawingAsItsRenderings()
    {
        const QImage rendering = QImage(QStringLiteral(":/icons/wavywall-64.png"))
                                     .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(rendering.size(), QSize(64, 64));
        QVERIFY(differingShare(iconImage(64), rendering) < 0.02);
    }

    void bothWindowsShowIt()
    {
        QApplication::setWindowIcon(app::applicationIcon());
        const qint64 icon = QApplication::windowIcon().cacheKey();

        Form1Fixture f;
        QCOMPARE(f.form->windowIcon().cacheKey(), icon);
        QWidget* about = f.openAbout();
        QVERIFY(about);
        const auto closeAbout = qScopeGuard([about] { about->close(); });
        QCOMPARE(about->windowIcon().cacheKey(), icon);
    }
};

int main(int argc, char** argv)
{
    if (pluginsHidden()) {
        // Leaves only the platform plugin within reach.
        qputenv("QT_QPA_PLATFORM_PLUGIN_PATH",
                QLibraryInfo::path(QLibraryInfo::PluginsPath).toLocal8Bit() + "/platforms");
        QCoreApplication::setLibraryPaths({});
    }
    QApplication app(argc, argv);
    TestAppIcon test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_icon.moc"

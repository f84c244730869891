// Contrast on rendered pixels under a light and three dark desktop palettes:
// the About window's lines against their light yellow (4.5:1, text), the
// keyboard focus marks against what they stand on (3:1, non-text); and the
// measure itself against the figures WCAG 2.x publishes.

#include "form1_fixture.h"
#include "form_about.h"
#include "menu_bar.h"
#include "readable_colours.h"

#include <QLabel>

#include <cmath>
#include <map>

namespace {

/// The colour that most of the region's pixels have.
QColor dominant(const QImage& image, const QRegion& region)
{
    std::map<QRgb, int> counts;
    for (const QRect& r : region)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ++counts[image.pixel(x, y)];
    auto fewer = [](auto a, auto b) { return a.second < b.second; };
    return std::max_element(counts.begin(), counts.end(), fewer)->first;
}

QRegion ring(const QRect& r)
{
    return QRegion(r) - r.adjusted(1, 1, -1, -1);
}

} // namespace

class TestReadableColours : public QObject {
    Q_OBJECT

    const QPalette light_ = QApplication::palette();
    QString report_;
    double least_ = 21;

    void measured(const QString& name, double ratio)
    {
        report_ += name + QString(" %1  ").arg(ratio, 0, 'f', 2);
        least_ = std::min(least_, ratio);
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light desktop") << light_;
        // Dark desktops with a pale, a middle and a deep blue highlight.
        for (auto [name, window, highlight] : {std::tuple{"dark, pale", 0x31363b, 0x3daee9},
                                               {"dark, middle", 0x323232, 0x308cc6},
                                               {"dark, deep", 0x353535, 0x15539e}}) {
            QPalette dark{QColor(QRgb(window))}; // light text on dark
            dark.setColor(QPalette::Highlight, QRgb(highlight));
            QTest::newRow(name) << dark;
        }
    }
    void init()
    {
        QFETCH_GLOBAL(QPalette, palette);
        QApplication::setPalette(palette);
        report_.clear();
        least_ = 21;
    }
    void cleanup() { qInfo("%s", qPrintable(report_)); }

    // The largest ratio there is, and the two greys on either side of 4.5:1
    // that WCAG's explanation of success criterion 1.4.3 gives as examples.
    void ratioIsTheOnePublished_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("published");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("#777777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
    }
    void ratioIsTheOnePublished()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(double, published);
        const double ratio = ui::contrastRatio(text, background);
        QVERIFY2(std::abs(ratio - published) < 0.005, qPrintable(QString::number(ratio, 'f', 4)));
    }

    void aboutLinesAreReadable()
    {
        ui::FormAbout::instance().Show();
        QWidget* about = ui::FormAbout::instance().window();
        const QImage shot = about->grab().toImage();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            const QRect area = label->geometry() & about->rect();
            const QColor background = dominant(shot, area);
            double ink = 1; // the text's most distinct pixel
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    ink = std::max(ink, ui::contrastRatio(shot.pixel(x, y), background));
            measured(label->objectName(), ink);
        }
        about->close();
        QVERIFY2(least_ >= 4.5, qPrintable(report_));
    }

    /// Measures each focus mark of the shown window against what it stands on;
    /// returns the marks' colours.
    QList<QRgb> measureFocusMarks(Form1Fixture& f, const QPalette& palette)
    {
        QList<QRgb> colours;
        auto* menu = static_cast<ui::MenuBar*>(f.form->menuBar());
        const QRect box = f.Picture_Akim->rect(), bar = f.HScroll_Moo->rect();
        const QRect item = menu->actionGeometry(f.Nm_About);
        const struct {
            const char* name;
            QWidget* widget;
            QRegion mark, beside;
        } marks[] = {
            {"picture box", f.Picture_Akim, ring(box - QMargins(1, 1, 1, 1)),
             ring(box - QMargins(2, 2, 2, 2))},
            {"scroll bar", f.HScroll_Moo, ring(bar), ring(bar + QMargins(1, 1, 1, 1))},
            {"menu item", menu, item - QMargins(2, 2, 2, 2),
             ring(item + QMargins(1, 1, 1, 1)) & menu->rect()},
        };
        for (const auto& m : marks) {
            m.widget == menu ? menu->enterKeyboardMode() : m.widget->setFocus(Qt::TabFocusReason);
            const QImage shot = f.form->grab().toImage();
            const QPoint at = m.widget->mapTo(f.form.get(), QPoint());
            const QColor mark = dominant(shot, m.mark.translated(at));
            measured(m.name, ui::contrastRatio(mark, dominant(shot, m.beside.translated(at))));
            colours << mark.rgb();
            // What the program leaves wholly to the toolkit follows the desktop.
            [&] {
                QCOMPARE(dominant(shot, ring(f.form->rect())), palette.color(QPalette::Window));
            }();
        }
        return colours;
    }

private slots:
    void focusMarksStandOut()
    {
        QFETCH_GLOBAL(QPalette, palette);
        Form1Fixture f;
        QVERIFY(f.exposed());
        measureFocusMarks(f, palette);
        QVERIFY2(!QTest::currentTestFailed() && least_ >= 3, qPrintable(report_));
    }

    // The desktop changes its highlight while the window is open, from a red
    // to a blue that both stand out from the light window: every mark takes
    // the blue.
    void focusMarksFollowAPaletteChange()
    {
        QPalette red = light_, blue = light_;
        red.setColor(QPalette::Highlight, QColor(0xff, 0, 0));
        blue.setColor(QPalette::Highlight, QColor(0, 0, 0xff));
        QApplication::setPalette(red);
        Form1Fixture f;
        QVERIFY(f.exposed());
        QCOMPARE(measureFocusMarks(f, red), QList<QRgb>(3, qRgb(0xff, 0, 0)));
        QApplication::setPalette(blue);
        QTRY_COMPARE(f.form->palette().color(QPalette::Highlight), QColor(0, 0, 0xff));
        QCOMPARE(measureFocusMarks(f, blue), QList<QRgb>(3, qRgb(0, 0, 0xff)));
    }
};

QTEST_MAIN(TestReadableColours)
#include "tst_readable_colours.moc"

// The About window: its seven lines, one window for the whole run, and its
// independence from the main window.

#include "about_texts.h"
#include "form1_fixture.h"
#include "form_about.h"

#include <QLabel>

namespace {

/// The visible top-level windows with a name, or with this name.
QWidgetList visibleWindows(const QString& name = {})
{
    QWidgetList found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty() &&
            (name.isEmpty() || w->objectName() == name))
            found << w;
    return found;
}

struct Line {
    QString name, text;
    QRect place; // in pixels at 15 twips a pixel
    QRgb colour;
    int pixels;
};

// The About window's colours, written out: green titles, a blue address, on
// light yellow.
constexpr QRgb green = qRgb(0, 128, 0);
constexpr QRgb blue = qRgb(0, 0, 255);
constexpr QRgb lightYellow = qRgb(255, 255, 192);

// The credit and contact lines are the packager's, set when the program is
// configured; the lines without a colour of their own are black, the text
// colour of the toolkit's light palette, whatever the desktop's.
QList<Line> describedLines()
{
    const QRgb text = qRgb(0, 0, 0);
    return {
        {"Label2", "Program for Calculating", {40, 8, 153, 17}, green, 13},
        {"Label3", "Linearized subsonic", {48, 24, 145, 17}, green, 13},
        {"Label1", " potential flows", {64, 40, 113, 17}, green, 13},
        {"Label7", WAVYWALL_ABOUT_CREDIT, {40, 64, 185, 17}, text, 11},
        {"Label8", "July 2007", {80, 80, 73, 17}, text, 11},
        {"Label4", "For comments and questions e-mail to", {8, 96, 225, 17}, text, 11},
        {"Label5", WAVYWALL_ABOUT_CONTACT, {56, 112, 129, 17}, blue, 11},
    };
}

} // namespace

class TestFormAbout : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QWidget* w : visibleWindows("Form_About"))
            w->close();
        QTRY_VERIFY(!ui::FormAbout::instance().window());
    }

    void showsSevenLinesOnLightYellow()
    {
        Form1Fixture f;
        QWidget* about = f.openAbout();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), QString("About"));
        QCOMPARE(about->size(), QSize(240, 136));
        QVERIFY(about->parentWidget() == nullptr); // no owner
        QCOMPARE(about->palette().color(QPalette::Window).rgb(), lightYellow);
        const auto labels = about->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 7);
        for (const Line& line : describedLines()) {
            auto* label = about->findChild<QLabel*>(line.name);
            QVERIFY2(label, qPrintable(line.name));
            QCOMPARE(label->text(), line.text);
            QCOMPARE(label->pos(), line.place.topLeft());
            QCOMPARE(label->height(), line.place.height());
            QVERIFY(label->width() >= line.place.width());
            QVERIFY(label->width() >= std::min(label->fontMetrics().horizontalAdvance(line.text),
                                               about->width() - label->x()));
            QVERIFY2(about->rect().contains(label->geometry()), qPrintable(line.name));
            QCOMPARE(label->palette().color(QPalette::WindowText).rgb(), line.colour);
            QCOMPARE(label->palette().color(QPalette::Window).rgb(), lightYellow);
            QCOMPARE(label->font().pixelSize(), line.pixels);
            QCOMPARE(label->font().weight(), QFont::Normal);
            QVERIFY(!label->font().italic() && !label->font().underline());
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            QCOMPARE(label->textInteractionFlags(), Qt::NoTextInteraction);
        }
        // The rendered window shows the green title and the blue address.
        const QImage shot = about->grab().toImage();
        int greenPixels = 0, bluePixels = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                greenPixels += c.rgb() == green;
                bluePixels += c.blue() > c.red() + 100 && c.blue() > c.green() + 100; // antialiased
            }
        QVERIFY(greenPixels > 50);
        QVERIFY(bluePixels > 20);
    }

    void choosingTwiceLeavesOneWindowInFront()
    {
        Form1Fixture f;
        QWidget* first = f.openAbout();
        f.form->activateWindow();
        QCOMPARE(f.openAbout(), first);
        QCOMPARE(visibleWindows("Form_About").size(), 1);
        QTRY_COMPARE(QApplication::activeWindow(), first);
    }

    void mainWindowKeepsWorkingWhileItIsOpen()
    {
        Form1Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.openAbout()));
        f.calculate("0.3");
        QVERIFY(!blank(f.Picture_Akim));
        clickArrow(f.HScroll_HbL, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f.Text_HbL->text(), QString("0.02"));
        f.Nm_About->trigger();
        QCOMPARE(visibleWindows("Form_About").size(), 1);
    }

    void closedAndChosenAgainShowsTheSameLines()
    {
        Form1Fixture f;
        QWidget* first = f.openAbout();
        QHash<QString, QPair<QString, QRect>> before;
        for (QLabel* label : first->findChildren<QLabel*>())
            before.insert(label->objectName(), {label->text(), label->geometry()});
        first->move(first->pos() + QPoint(50, 50));
        first->close();
        QTRY_VERIFY(!ui::FormAbout::instance().window()); // discarded
        QWidget* again = f.openAbout();
        QVERIFY(again);
        QVERIFY(again->isVisible());
        QCOMPARE(again->findChildren<QLabel*>().size(), 7);
        for (QLabel* label : again->findChildren<QLabel*>())
            QCOMPARE(qMakePair(label->text(), label->geometry()),
                     before.value(label->objectName()));
    }

    // The application quits when its last visible window closes; the About
    // window has no owner, so it keeps the program running on its own.
    void closingTheMainWindowLeavesTheAboutWindowOpen()
    {
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        Form1Fixture f;
        QWidget* about = f.openAbout();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        f.form->close();
        QCoreApplication::processEvents();
        QVERIFY(!f.form->isVisible());
        QVERIFY(about->isVisible());
        QCOMPARE(visibleWindows(), QWidgetList{about});
        about->close();
        QTRY_VERIFY(visibleWindows().isEmpty());
    }
};

QTEST_MAIN(TestFormAbout)
#include "tst_form_about.moc"

// The main window moved from an ordinary screen to one with two device pixels
// to a logical one, on Qt's offscreen platform set up with both screens: the
// plots stay, drawn again at the dense screen's resolution exactly as they
// are drawn there from the start.

#include "form1_fixture.h"
#include "handler_replay.h"

#include <QApplication>
#include <QScreen>

namespace {

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    qFatal("no screen named %s: the offscreen platform was not given two_screens.json",
           qPrintable(name));
}

/// Puts a shown window on a screen as a user does, by moving it there: Qt
/// takes a top-level window's screen from where it lies.
void moveToScreen(QWidget& window, QScreen* screen)
{
    window.move(screen->geometry().topLeft() + QPoint(40, 40));
}

/// Two picture boxes of the main window's sizes, shown on a screen and drawn
/// by the button's steps: what the plots look like there from the start.
struct ReferenceBoxes {
    QWidget window;
    HandlerReplay<ui::PictureBox> replay;

    ReferenceBoxes(const Form1Fixture& f, QScreen* screen)
    {
        for (auto [box, original] :
             {std::pair{&replay.akim, f.Picture_Akim}, {&replay.basinc, f.Picture_basinc}}) {
            box->setParent(&window);
            box->setGeometry(original->geometry());
            box->setBackgroundColour(colours::lightYellow);
        }
        window.resize(f.form->size());
        window.show();
        moveToScreen(window, screen);
    }
};

} // namespace

class TestScreenChange : public QObject {
    Q_OBJECT

private slots:
    void plotsRedrawnCrispOnADenserScreen()
    {
        Form1Fixture f;
        moveToScreen(*f.form, screenNamed("ordinary"));
        QVERIFY(f.exposed());
        f.calculate("0.5", "0.1");
        const QSize ordinarySize = f.Picture_Akim->renderedImage().size();
        QVERIFY(pixelsOf(f.Picture_Akim->renderedImage(), colours::red) > 0);

        QScreen* dense = screenNamed("dense");
        moveToScreen(*f.form, dense);
        QTRY_COMPARE(f.form->devicePixelRatioF(), 2.0);
        ReferenceBoxes reference(f, dense);
        QVERIFY(QTest::qWaitForWindowExposed(&reference.window));
        QCOMPARE(reference.replay.buttonWithNumbers(0.5, 0.1), 0);

        QCOMPARE(f.Picture_Akim->renderedImage().size(), ordinarySize * 2);
        QCOMPARE(f.Picture_Akim->renderedImage(), reference.replay.akim.renderedImage());
        QCOMPARE(f.Picture_basinc->renderedImage(), reference.replay.basinc.renderedImage());

        // What the window shows there: the dense image, copied one to one.
        QImage shown = f.Picture_Akim->grab().toImage();
        shown.setDevicePixelRatio(1.0);
        QCOMPARE(shown.copy(QRect(f.Picture_Akim->contentsRect().topLeft() * 2, ordinarySize * 2)),
                 f.Picture_Akim->renderedImage().convertToFormat(shown.format()));
    }
};

int main(int argc, char** argv)
{
    // The dense screen doubles its pixels through Qt's own scaling, as a
    // desktop asks for with QT_SCREEN_SCALE_FACTORS. A device pixel ratio
    // given in the offscreen platform's screen list would do on Qt 6.4 only:
    // from 6.6 on a window's ratio comes from its platform window, which on
    // that platform is always 1.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TWO_SCREENS_CONFIG);
    qputenv("QT_SCREEN_SCALE_FACTORS", "ordinary=1;dense=2");
    QApplication app(argc, argv);
    TestScreenChange test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screen_change.moc"

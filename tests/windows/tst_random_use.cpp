// A few thousand seeded random actions on the real main window: typing,
// clicks on the button, clicks and keys on the scroll bars, the About window.
// After every action the window must agree with a model of what the program
// does: texts, bar positions, stored Beta and H, one report per error, and
// plots identical, pixel for pixel, to the same calculation drawn on a pair
// of reference picture boxes.

#include "form1_fixture.h"
#include "form_about.h"
#include "handler_replay.h"
#include "text_conversion.h"

#include <QRandomGenerator>

namespace {

/// What a user might type, from sensible to hostile.
QString randomText(QRandomGenerator& random)
{
    // clang-format off
    static const QStringList pool{
        "0", "0.01", "0.3", "0.6", "-0.45", "0.99", "1", "-1", "1.5", "1E400", "-1e400",
        "1E39", "1e38", "1E200", "abc", "", " 0 . 3", "0,5", ".5", "5.", "1E", "1e-400",
        "0.2abc", "\t0.1\n", "&H10", "ıçüğ", "9999999999999999999999", "1D-2", "+.25", "-",
        "0.9999999999999999"};
    // clang-format on
    switch (random.bounded(3)) {
    case 0:
        return pool[random.bounded(pool.size())];
    case 1:
        return QString::number(random.bounded(-150, 150) / 100.0);
    default: {
        QString junk;
        const QString alphabet = "0123456789.+-eEdD ,x";
        for (int n = random.bounded(12); n > 0; --n)
            junk += alphabet[random.bounded(alphabet.size())];
        return junk;
    }
    }
}

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

/// The model of the program: each handler's steps replayed on reference
/// picture boxes of the same sizes.
struct Model : HandlerReplay<ui::PictureBox> {
    explicit Model(const Form1Fixture& f)
    {
        for (auto [box, original] :
             {std::pair{&akim, f.Picture_Akim}, {&basinc, f.Picture_basinc}}) {
            box->resize(original->size());
            box->setBackgroundColour(colours::lightYellow);
        }
    }
};

} // namespace

class TestRandomUse : public QObject {
    Q_OBJECT

private slots:
    void thousandsOfRandomActions()
    {
        const quint32 seed = qEnvironmentVariableIsSet("WAVYWALL_RANDOM_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("WAVYWALL_RANDOM_SEED"))
                                 : 20261208u;
        QRandomGenerator random(seed);
        Form1Fixture f;
        QVERIFY(f.exposed());
        Model model(f);
        std::vector<int> expectedErrors;

        // A bar's handler reads the other input's text box.
        auto barAction = [&](ui::ScrollBar* bar, QLineEdit* ownText, auto handler,
                             QLineEdit* otherText) {
            const int before = bar->value();
            if (random.bounded(2)) {
                static const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,   Qt::Key_Up,
                                               Qt::Key_Down,   Qt::Key_Home,    Qt::Key_End,
                                               Qt::Key_PageUp, Qt::Key_PageDown};
                bar->setFocus();
                QTest::keyClick(bar, keys[random.bounded(8)]);
            } else {
                static const QStyle::SubControl parts[] = {
                    QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                    QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSubPage};
                clickArrow(bar, parts[random.bounded(4)]);
            }
            const int after = bar->value();
            QVERIFY(std::abs(after - before) <= 1 || after == bar->minimum() ||
                    after == bar->maximum());
            if (after == before)
                return;
            QCOMPARE(ownText->text(), QString::fromStdString(flow::numberToText(after / 100.0)));
            if (const int error = (model.*handler)(after, utf8(otherText->text())))
                expectedErrors.push_back(error);
        };

        for (int step = 0; step < 3000; ++step) {
            const QString context = QString("seed %1, step %2").arg(seed).arg(step);
            switch (random.bounded(10)) {
            case 0:
            case 1:
                Form1Fixture::type(f.Text_Moo, randomText(random));
                break;
            case 2:
            case 3:
                Form1Fixture::type(f.Text_HbL, randomText(random));
                break;
            case 4:
            case 5:
                if (const int error =
                        model.button(utf8(f.Text_Moo->text()), utf8(f.Text_HbL->text())))
                    expectedErrors.push_back(error);
                f.pressHesapla();
                break;
            case 6:
            case 7:
                barAction(f.HScroll_Moo, f.Text_Moo, &Model::machBar, f.Text_HbL);
                break;
            case 8:
                barAction(f.HScroll_HbL, f.Text_HbL, &Model::ratioBar, f.Text_Moo);
                break;
            case 9:
                if (QWidget* about = ui::FormAbout::instance().window(); about && random.bounded(2))
                    about->close();
                else
                    f.Nm_About->trigger();
                break;
            }
            QVERIFY2(f.reportedErrors == expectedErrors, qPrintable(context));
            QVERIFY2(f.values().Beta() == model.flow.Beta(), qPrintable(context));
            QVERIFY2(f.values().H() == model.flow.H(), qPrintable(context));
            if (step % 10 == 0 || !f.reportedErrors.empty()) {
                QVERIFY2(f.Picture_Akim->renderedImage() == model.akim.renderedImage(),
                         qPrintable(context));
                QVERIFY2(f.Picture_basinc->renderedImage() == model.basinc.renderedImage(),
                         qPrintable(context));
            }
            QVERIFY(f.form->isVisible());
        }
        if (QWidget* about = ui::FormAbout::instance().window())
            about->close();

        // The next valid recalculation draws the exact plot.
        QCOMPARE(model.button("0.5", "0.1"), 0);
        f.calculate("0.5", "0.1");
        QCOMPARE(f.Picture_Akim->renderedImage(), model.akim.renderedImage());
        QCOMPARE(f.Picture_basinc->renderedImage(), model.basinc.renderedImage());
        qInfo("%zu errors reported in 3000 actions", f.reportedErrors.size());
        QVERIFY(f.reportedErrors.size() > 20); // the run did exercise the errors
    }
};

QTEST_MAIN(TestRandomUse)
#include "tst_random_use.moc"

// What a screen reader is told, read through QAccessible, and the keyboard.

#include "about_texts.h"
#include "announcer.h"
#include "form1_fixture.h"
#include "form_about.h"
#include "listening_screen_reader.h"
#include "table_rows.h"
#include "toolkit_version.h"
#include "while_open.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>

#include <algorithm>

namespace {

QString description(QObject* object)
{
    return accessibleOf(object)->text(QAccessible::Description);
}

} // namespace

struct Control {
    const char* name;
    QString label, mentions; ///< its name, and a word its description must hold
    QAccessible::Role role;
};
struct BarInput {
    const char* name;
    double minimum, maximum, initial;
    const char* ownText;
};
struct PressKey {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
Q_DECLARE_METATYPE(Control)
Q_DECLARE_METATYPE(BarInput)
Q_DECLARE_METATYPE(PressKey)

class TestAccessibleInterfaces : public QObject {
    Q_OBJECT

private slots:
    void everyFocusableControlHasANameARoleAndADescription_data()
    {
        const auto graphic = QAccessible::Graphic, text = QAccessible::EditableText,
                   bar = QAccessible::ScrollBar;
        const Control rows[] = {
            {"Picture_Akim", "Akım çizgileri", "çizilmedi", graphic},
            {"Picture_basinc", "Duvar üzerinde basınç katsayılarının dağılımı", "çizilmedi",
             graphic},
            {"Command1", "HESAPLA", "Moo", QAccessible::Button},
            {"Text_HbL", "H/L =", "HESAPLA", text},
            {"Text_Moo", "Moo =", "HESAPLA", text},
            {"HScroll_Moo", "Moo", "0.60", bar},
            {"HScroll_HbL", "H/L", "0.20", bar},
        };
        addRows(rows);
    }
    void everyFocusableControlHasANameARoleAndADescription()
    {
        QFETCH(Control, row);
        const auto& [name, label, mentions, role] = row;
        Form1Fixture f;
        QAccessibleInterface* iface = accessibleOf(f.form->findChild<QWidget*>(name));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), label);
        QCOMPARE(iface->role(), role);
        QVERIFY2(iface->text(QAccessible::Description).contains(mentions),
                 qPrintable(iface->text(QAccessible::Description)));
    }

    void labelsNameTheirTextBoxes()
    {
        Form1Fixture f;
        QCOMPARE(f.form->findChild<QLabel*>("Label1")->buddy(), f.Text_Moo);
        QCOMPARE(f.form->findChild<QLabel*>("Label2")->buddy(), f.Text_HbL);
        const auto relations = accessibleOf(f.Text_Moo)->relations(QAccessible::Label);
        QVERIFY(std::any_of(relations.begin(), relations.end(), [&](const auto& relation) {
            return relation.first->object() == f.form->findChild<QLabel*>("Label1");
        }));
    }

    void plotDescriptionsFollowEachRecalculation()
    {
        Form1Fixture f;
        f.calculate("0.6", "0.2");
        QVERIFY(description(f.Picture_Akim).startsWith("Moo = 0.6, H/L = 0.2 için"));
        QVERIFY(description(f.Picture_Akim).contains("akım çizgisi"));
        QVERIFY(description(f.Picture_basinc).startsWith("Moo = 0.6, H/L = 0.2 için"));
        QVERIFY(description(f.Picture_basinc).contains("basınç katsayısı"));

        // Sonic flow: the streamlines are complete, the pressure plot stops.
        f.calculate("1");
        QVERIFY(description(f.Picture_Akim).startsWith("Moo = 1, H/L = 0.2 için"));
        QVERIFY(!description(f.Picture_Akim).contains("hata"));
        QVERIFY(description(f.Picture_basinc).contains("Run-time error 11: division by zero"));
        QVERIFY(description(f.Picture_basinc).contains("Moo = 1"));

        // Supersonic: nothing is redrawn, both say so and still say what they show.
        f.calculate("1.5");
        f.pressHesapla();
        for (ui::PictureBox* box : {f.Picture_Akim, f.Picture_basinc}) {
            const QString said = description(box);
            QVERIFY2(said.contains("Run-time error 5"), qPrintable(said));
            QVERIFY2(said.contains("değişmedi"), qPrintable(said));
            QVERIFY2(said.count("Son hesaplama") == 1, qPrintable(said)); // reports do not pile up
        }
        QVERIFY(description(f.Picture_Akim).contains("Moo = 1, H/L = 0.2 için"));

        // A coordinate beyond the float range stops the streamline plot; the
        // pressure plot is left as it was.
        f.calculate("0.5", "1E39");
        QVERIFY(description(f.Picture_Akim).startsWith("Moo = 0.5, H/L = 1E+39 için çizilirken"));
        QVERIFY(description(f.Picture_Akim).contains("Run-time error 6: overflow"));
        QVERIFY(description(f.Picture_Akim).contains("yarım kaldı"));
        QVERIFY(description(f.Picture_basinc).contains("değişmedi"));
        QVERIFY(description(f.Picture_basinc).contains("Moo = 1, H/L = 0.2 için çizilirken"));

        // A good calculation clears the error.
        f.calculate("0.3", "0.2");
        QVERIFY(!description(f.Picture_basinc).contains("error"));
        QVERIFY(description(f.Picture_basinc).startsWith("Moo = 0.3"));
    }

    void scrollBarsSpeakTheirInput_data()
    {
        const BarInput rows[] = {{"HScroll_Moo", 0.0, 0.6, 0.0, "Text_Moo"},
                                 {"HScroll_HbL", 0.01, 0.2, 0.01, "Text_HbL"}};
        addRows(rows);
    }
    void scrollBarsSpeakTheirInput()
    {
        QFETCH(BarInput, row);
        const auto& [bar, minimum, maximum, initial, ownText] = row;
        Form1Fixture f;
        auto* scrollBar = f.form->findChild<ui::ScrollBar*>(bar);
        QAccessibleValueInterface* value = accessibleOf(scrollBar)->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toDouble(), minimum);
        QCOMPARE(value->maximumValue().toDouble(), maximum);
        QCOMPARE(value->minimumStepSize().toDouble(), 0.01);
        QCOMPARE(value->currentValue().toDouble(), initial);

        // Set as a screen reader sets it: the bar moves and recalculates.
        value->setCurrentValue(0.07);
        QCOMPARE(scrollBar->value(), 7);
        QCOMPARE(value->currentValue().toDouble(), 0.07);
        QCOMPARE(accessibleOf(scrollBar)->text(QAccessible::Value), QString("0.07"));
        QCOMPARE(f.form->findChild<QLineEdit*>(ownText)->text(), QString("0.07"));
        QVERIFY(!blank(f.Picture_Akim));
    }

    void returnAndEnterPressHesapla_data()
    {
        const PressKey rows[] = {{"Return", Qt::Key_Return, {}},
                                 {"Enter", Qt::Key_Enter, Qt::KeypadModifier},
                                 {"Space", Qt::Key_Space, {}}};
        addRows(rows);
    }
    void returnAndEnterPressHesapla()
    {
        QFETCH(PressKey, row);
        Form1Fixture f;
        f.Command1->setFocus();
        QTest::keyClick(f.Command1, row.key, row.modifiers);
        QVERIFY(!blank(f.Picture_Akim));
        QVERIFY(!blank(f.Picture_basinc));
        QVERIFY(!f.Command1->isDefault() && !f.Command1->autoDefault());
    }

    void f10ReachesTheAboutItemAndEscapeLeavesIt()
    {
        Form1Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QMenuBar* bar = f.form->menuBar();
        f.HScroll_HbL->setFocus();
        QTest::keyClick(f.HScroll_HbL, Qt::Key_F10);
        QVERIFY(bar->hasFocus());
        QCOMPARE(bar->activeAction(), f.Nm_About);
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), f.HScroll_HbL);
        QCOMPARE(bar->activeAction(), nullptr);
        QVERIFY(!ui::FormAbout::instance().window());

        QTest::keyClick(f.HScroll_HbL, Qt::Key_F10);
        QTest::keyClick(bar, Qt::Key_Return);
        QWidget* about = ui::FormAbout::instance().window();
        QVERIFY(about && about->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(!ui::FormAbout::instance().window());
    }

    void aboutWindowReadsAsSentences()
    {
        Form1Fixture f;
        QWidget* about = f.openAbout();
        QVERIFY(about);
        QCOMPARE(description(about),
                 QString("Program for Calculating Linearized subsonic potential flows. %1. July "
                         "2007. For comments and questions e-mail to %2.")
                     .arg(WAVYWALL_ABOUT_CREDIT, WAVYWALL_ABOUT_CONTACT));
        about->close();
    }

    void plotsDescribeTheirKeyNumbers()
    {
        Form1Fixture f;
        Form1Fixture::type(f.Text_Moo, "0.5");
        f.HScroll_HbL->setFocus();
        QTest::keyClick(f.HScroll_HbL, Qt::Key_Right); // H/L = 0.02
        QCOMPARE(description(f.Picture_basinc),
                 QString("Moo = 0.5, H/L = 0.02 için iki dalga boyu boyunca duvar üzerindeki "
                         "basınç katsayısı: Cp1 mavi, Cp2 kırmızı; Cp1 -0.2902 ile 0.2902, Cp2 "
                         "-0.3351 ile 0.3351 arasında."));
        QVERIFY2(description(f.Picture_Akim)
                     .endsWith("çizimde 8 kat büyütülmüş genlik, 0.5, 1, 1.5 yüksekliklerinde: "
                               "sıkıştırılamaz akımda 0.006914, 0.0002988, 1.291E-05; "
                               "sıkıştırılabilir akımda 0.01053, 0.0006933, 4.564E-05."),
                 qPrintable(description(f.Picture_Akim)));
    }

    // With no screen reader listening nothing is announced: before Qt 6.8 no
    // notification is made.
    void nothingIsAnnouncedWithoutListener()
    {
        if constexpr (ui::toolkitAnnounces)
            QSKIP("from Qt 6.8 on the toolkit drops an announcement while no screen reader "
                  "listens, before a test could see it; the benchmarks tell its cost");
        Form1Fixture f;
        f.calculate("0.5");
        QVERIFY(!f.form->findChild<QLabel*>("Announcer"));
    }

    // Qt 6.8 announces; before it an invisible notification appears, again
    // for the same sentence.
    void announcementsAreSpokenEachTime()
    {
        const ListeningScreenReader reader;
        QWidget window;
        window.resize(100, 100);
        window.show();
        ui::announce(window, "Hesaplandı");
        ui::announce(window, "Hesaplandı");
        QCOMPARE(reader.utterances(), (std::vector<Utterance>{{"Hesaplandı"}, {"Hesaplandı"}}));
        if (!ui::toolkitAnnounces) {
            auto* notification = window.findChild<QLabel*>("Announcer");
            QVERIFY(notification && notification->size().isEmpty());
            QCOMPARE(accessibleOf(notification)->role(), QAccessible::Notification);
        }
    }

    // A result is announced; the error report is read as the alert it is, its text a label
    // that takes no focus, and the About window by its description, so neither is announced
    // besides, which would make a screen reader say it twice.
    void aListeningScreenReaderIsToldEachResultOnce()
    {
        const ListeningScreenReader reader;
        Form1Fixture f(Form1Fixture::Reports::Shown);
        QVERIFY(f.exposed());
        f.calculate("0.5", "0.1");
        const std::vector<Utterance> result{
            {"Hesaplandı, Moo = 0.5, H/L = 0.1: Cp1 -1.451 ile 1.451, Cp2 -1.676 ile 1.676 "
             "arasında; genlik 0.5, 1, 1.5 yükseklikte sıkıştırılamaz 0.03457, 0.001494, "
             "6.456E-05, sıkıştırılabilir 0.05266, 0.003467, 0.0002282."}};
        QCOMPARE(reader.utterances(), result);

        Form1Fixture::type(f.Text_Moo, "1.5");
        const auto readAsAlert = [](QMessageBox* box) {
            QCOMPARE(accessibleOf(box)->role(), QAccessible::AlertMessage);
            // Orca 51 reads of an alert only the labels that take no focus.
            const QString report = box->text();
            QVERIFY(report.startsWith("Run-time error 5: invalid procedure call"));
            const auto labels = box->findChildren<QLabel*>();
            const auto text = std::find_if(labels.begin(), labels.end(),
                                           [&](QLabel* l) { return l->text() == report; });
            QVERIFY(text != labels.end());
            QVERIFY(!accessibleOf(*text)->state().focusable);
        };
        whileReportOpen([&] { f.pressHesapla(); }, readAsAlert);

        QWidget* about = f.openAbout();
        QVERIFY(about && about->isVisible());
        QVERIFY(accessibleOf(about)->text(QAccessible::Description).startsWith("Program for"));
        QCOMPARE(reader.utterances(), result);
        about->close();
    }

    void keyboardAlone()
    {
        Form1Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        // Return in a text box does not press the button: it is no default button.
        Form1Fixture::type(f.Text_Moo, "0.5");
        QTest::keyClick(f.Text_Moo, Qt::Key_Return);
        QVERIFY(blank(f.Picture_Akim));
        f.Picture_basinc->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.Command1);
        QTest::keyClick(f.Command1, Qt::Key_Space);
        QVERIFY(!blank(f.Picture_Akim));
        QCOMPARE(f.values().Beta(), std::sqrt(0.75));
        // End on a focused bar goes to its right end and recalculates.
        f.HScroll_Moo->setFocus();
        QTest::keyClick(f.HScroll_Moo, Qt::Key_End);
        QCOMPARE(f.Text_Moo->text(), QString("0.6"));
        QCOMPARE(f.values().Beta(), 0.8);
    }
};

QTEST_MAIN(TestAccessibleInterfaces)
#include "tst_accessible_interfaces.moc"

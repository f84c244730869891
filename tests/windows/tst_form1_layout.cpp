// The main window as it opens: controls, places, texts, focus order.

#include "form1_fixture.h"
#include "table_rows.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

struct Control {
    const char* name;
    QString className, container;
    QRect place;
    QString text;
};
Q_DECLARE_METATYPE(Control)

class TestForm1Layout : public QObject {
    Q_OBJECT

private slots:
    void titleClientAreaAndMenu()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        QCOMPARE(f.form->windowTitle(),
                 QString("Dalga yüzlü duvar üzerinde küçük bozuntulu sesaltı akım"));
        QCOMPARE(f.form->centralWidget()->size(), QSize(447, 410));
        QMenuBar* bar = f.form->menuBar();
        QVERIFY(!bar->isNativeMenuBar());
        QCOMPARE(bar->actions().size(), 1);
        QAction* about = bar->actions().first();
        QCOMPARE(about, f.Nm_About);
        QCOMPARE(about->text(), QString("About"));
        QVERIFY(about->menu() == nullptr);
        QCOMPARE(about->menuRole(), QAction::NoRole);
        QVERIFY(bar->actionGeometry(about).isValid());
    }

    // Places in pixels at 15 twips a pixel, worked out by hand from the
    // window's description.
    void controlsStandWhereDescribed_data()
    {
        const Control rows[] = {
            {"Frame1", "QGroupBox", "Form1_client", {8, 16, 113, 153}, ""},
            {"HScroll_HbL", "ui::ScrollBar", "Frame1", {48, 88, 49, 17}, ""},
            {"HScroll_Moo", "ui::ScrollBar", "Frame1", {48, 32, 49, 17}, ""},
            {"Text_Moo", "QLineEdit", "Frame1", {8, 32, 41, 19}, "0"},
            {"Text_HbL", "QLineEdit", "Frame1", {8, 88, 41, 19}, "0.01"},
            {"Command1", "ui::CommandButton", "Frame1", {16, 112, 81, 33}, "HESAPLA"},
            {"Label1", "QLabel", "Frame1", {8, 16, 41, 17}, "Moo ="},
            {"Label2", "QLabel", "Frame1", {8, 72, 33, 17}, "H/L ="},
            {"Picture_basinc", "ui::PictureBox", "Form1_client", {136, 208, 283, 169}, ""},
            {"Picture_Akim", "ui::PictureBox", "Form1_client", {136, 24, 283, 167}, ""},
            {"Label3", "QLabel", "Form1_client", {248, 192, 65, 17}, "Akım çizgileri"},
            {"Label4",
             "QLabel",
             "Form1_client",
             {184, 376, 217, 17},
             "Duvar üzerinde basınç katsayılarının dağılımı"},
        };
        addRows(rows);
    }
    void controlsStandWhereDescribed()
    {
        QFETCH(Control, row);
        const auto& [name, className, container, place, text] = row;
        Form1Fixture f;
        auto* control = f.form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(QString(control->metaObject()->className()), className);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->pos(), place.topLeft());
        QCOMPARE(control->height(), place.height());
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), text);
            // A label too narrow for its text grows to the right, never shrinks.
            QVERIFY(label->width() >= place.width());
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
        } else {
            QCOMPARE(control->width(), place.width());
        }
        if (auto* box = qobject_cast<QLineEdit*>(control))
            QCOMPARE(box->text(), text);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            QVERIFY(button->fontMetrics().horizontalAdvance(text) < button->width() - 8);
        }
    }

    void everyControlLiesInsideTheClientArea()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        const QRect client = f.form->centralWidget()->rect();
        for (QWidget* control : f.form->centralWidget()->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty())
                continue; // parts of Qt's own widgets
            const QRect inClient(control->mapTo(f.form->centralWidget(), QPoint(0, 0)),
                                 control->size());
            QVERIFY2(client.contains(inClient), qPrintable(control->objectName()));
        }
    }

    void mainWindowUsesTheEightPointInterfaceFont()
    {
        Form1Fixture f;
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Text_Moo", "Command1"})
            QCOMPARE(f.form->findChild<QWidget*>(name)->font().pixelSize(), 11);
    }

    void opensWithStartValuesAndBlankPlots()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        // The boxes' start texts are checked with their places.
        for (const auto& [bar, value, minimum, maximum] :
             {std::tuple{f.HScroll_Moo, 0, 0, 60}, {f.HScroll_HbL, 1, 1, 20}}) {
            QCOMPARE(bar->value(), value);
            QCOMPARE(bar->minimum(), minimum);
            QCOMPARE(bar->maximum(), maximum);
            QCOMPARE(bar->singleStep(), 1);
            QCOMPARE(bar->pageStep(), 1);
            QCOMPARE(bar->orientation(), Qt::Horizontal);
        }
        QVERIFY(blank(f.Picture_Akim));
        QVERIFY(blank(f.Picture_basinc));
        QCOMPARE(f.values().Pi(), 3.141592653589793); // the load step ran
        QCOMPARE(f.values().N(), 100);
        QVERIFY(f.reportedErrors.empty());
    }

    void focusStartsOnTheStreamlinePlotAndTabCyclesInOrder()
    {
        Form1Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QCOMPARE(QApplication::focusWidget(), f.Picture_Akim);
        const QStringList order{"Picture_basinc", "Command1",    "Text_HbL",     "Text_Moo",
                                "HScroll_Moo",    "HScroll_HbL", "Picture_Akim", "Picture_basinc"};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Picture_Akim"));
    }

    void enlargingTheWindowMovesNothing()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        QHash<QString, QRect> before;
        for (QWidget* w : f.form->centralWidget()->findChildren<QWidget*>())
            before.insert(w->objectName(), w->geometry());
        f.form->resize(f.form->width() + 300, f.form->height() + 200);
        QTRY_COMPARE(f.form->centralWidget()->width(), 447 + 300);
        for (QWidget* w : f.form->centralWidget()->findChildren<QWidget*>())
            QCOMPARE(w->geometry(), before.value(w->objectName()));
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1_layout.moc"

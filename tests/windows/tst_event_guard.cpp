// An open error report holds for every source of events: presses, bar values
// and texts set through the widgets' accessible interfaces (as an AT-SPI
// client sets them), and events queued before the report opened, run no
// handler while it is open. At most one report is open; after it closes,
// every control works at once.

#include "form1_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleValueInterface>
#include <QEventLoop>
#include <QTimer>

namespace {

void pressThroughAccessibility(QPushButton* button)
{
    accessibleOf(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

void setValueThroughAccessibility(ui::ScrollBar* bar, double input)
{
    accessibleOf(bar)->valueInterface()->setCurrentValue(input);
}

void setTextThroughAccessibility(QLineEdit* box, const QString& text)
{
    QAccessibleEditableTextInterface* editable = accessibleOf(box)->editableTextInterface();
    editable->replaceText(0, box->text().size(), text);
}

} // namespace

class TestEventGuard : public QObject {
    Q_OBJECT

private slots:
    void noHandlerRunsWhileAReportIsOpen()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_Moo, "1.5");
        const double betaBefore = f.values().Beta();

        int reports = 0, open = 0, mostOpen = 0;
        f.form->setErrorReport([&](const flow::RunTimeError&) {
            ++reports;
            mostOpen = std::max(mostOpen, ++open);
            // What clients do while the report is open, each of which would
            // run a handler: Moo = 1.5 makes every one of them fail again,
            // and a valid Moo of 0.5 from the bar would recalculate.
            for (int press = 0; press < 20; ++press)
                pressThroughAccessibility(f.Command1);
            setValueThroughAccessibility(f.HScroll_HbL, 0.07);
            setValueThroughAccessibility(f.HScroll_Moo, 0.5);
            setTextThroughAccessibility(f.Text_Moo, "0.25");
            pressThroughAccessibility(f.Command1);
            f.Command1->click();
            // The report's own event loop delivers what was queued, and the
            // presses, which the toolkit makes as animated clicks, a tenth of
            // a second later.
            QEventLoop loop;
            QTimer::singleShot(400, &loop, &QEventLoop::quit);
            loop.exec();
            --open;
        });
        // A press queued before the report opens arrives inside it.
        const auto clickHesapla = [&f] { f.Command1->click(); };
        QMetaObject::invokeMethod(f.Command1, clickHesapla, Qt::QueuedConnection);
        f.pressHesapla();
        QCOMPARE(reports, 1);
        QCOMPARE(mostOpen, 1);
        QCOMPARE(f.values().Beta(), betaBefore);
        QVERIFY(blank(f.Picture_Akim));

        // Closed: the next press recalculates with the text the client left,
        // Moo = 0.25, at once.
        pressThroughAccessibility(f.Command1);
        QTRY_COMPARE(f.values().Beta(), std::sqrt(1.0 - 0.25 * 0.25));
        QCOMPARE(reports, 1);
        QVERIFY(!blank(f.Picture_Akim));
        setValueThroughAccessibility(f.HScroll_Moo, 0.6);
        QCOMPARE(f.Text_Moo->text(), QStringLiteral("0.6"));
        QCOMPARE(f.values().Beta(), std::sqrt(1.0 - 0.6 * 0.6));
    }

    void aSecondErrorAfterTheReportClosedIsReported()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        f.calculate("1.5");
        f.pressHesapla();
        QCOMPARE(f.reportedErrors.size(), std::size_t{2});
    }
};

QTEST_MAIN(TestEventGuard)
#include "tst_event_guard.moc"

// The two scroll bars under real clicks, drags and keys: a change comes once
// per real change of the value, never while the thumb is dragged, never at a
// limit, and an error raised from a change is reported once.

#include "form1_fixture.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

class TestScrollBars : public QObject {
    Q_OBJECT

    std::optional<Form1Fixture> f; ///< a fresh window for every test

private slots:
    void init() { QVERIFY(f.emplace().exposed()); }
    void cleanup() { f.reset(); }

    void arrowAndTrackClicksMoveByOne()
    {
        QSignalSpy changes(f->HScroll_Moo, &ui::ScrollBar::changed);
        for (const auto& [part, value] : {std::pair{QStyle::SC_ScrollBarAddLine, 1},
                                          {QStyle::SC_ScrollBarAddPage, 2},
                                          {QStyle::SC_ScrollBarSubLine, 1},
                                          {QStyle::SC_ScrollBarSubPage, 0}}) {
            clickArrow(f->HScroll_Moo, part);
            QCOMPARE(f->HScroll_Moo->value(), value);
        }
        QCOMPARE(changes.size(), 4);
        QCOMPARE(f->Text_Moo->text(), QString("0"));
    }

    void clicksAtTheLimitsChangeAndRedrawNothing_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("arrow");
        QTest::newRow("Moo at 0") << "HScroll_Moo" << 0 << int(QStyle::SC_ScrollBarSubLine);
        QTest::newRow("Moo at 60") << "HScroll_Moo" << 60 << int(QStyle::SC_ScrollBarAddLine);
        QTest::newRow("HbL at 1") << "HScroll_HbL" << 1 << int(QStyle::SC_ScrollBarSubLine);
        QTest::newRow("HbL at 20") << "HScroll_HbL" << 20 << int(QStyle::SC_ScrollBarAddLine);
    }
    void clicksAtTheLimitsChangeAndRedrawNothing()
    {
        QFETCH(QString, bar);
        QFETCH(int, limit);
        QFETCH(int, arrow);
        auto* scrollBar = f->form->findChild<ui::ScrollBar*>(bar);
        // Walk to the limit with real keys, then clear the plots' record.
        scrollBar->setFocus();
        QTest::keyClick(scrollBar, limit <= 1 ? Qt::Key_Home : Qt::Key_End);
        QCOMPARE(scrollBar->value(), limit);
        QSignalSpy changes(scrollBar, &ui::ScrollBar::changed);
        f->Picture_Akim->Cls();
        clickArrow(scrollBar, QStyle::SubControl(arrow));
        clickArrow(scrollBar, QStyle::SubControl(arrow));
        QCOMPARE(scrollBar->value(), limit);
        QCOMPARE(changes.size(), 0);
        QVERIFY(blank(f->Picture_Akim));
    }

    void keysFollowTheEndsOfTheBar_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("Right raises") << int(Qt::Key_Right) << 11;
        QTest::newRow("Down raises") << int(Qt::Key_Down) << 11;
        QTest::newRow("Left lowers") << int(Qt::Key_Left) << 9;
        QTest::newRow("Up lowers") << int(Qt::Key_Up) << 9;
        QTest::newRow("PageDown raises by the track step") << int(Qt::Key_PageDown) << 11;
        QTest::newRow("PageUp lowers by the track step") << int(Qt::Key_PageUp) << 9;
        QTest::newRow("Home goes to the left end") << int(Qt::Key_Home) << 1;
        QTest::newRow("End goes to the right end") << int(Qt::Key_End) << 20;
    }
    void keysFollowTheEndsOfTheBar()
    {
        QFETCH(int, key);
        QFETCH(int, value);
        f->HScroll_HbL->setFocus();
        for (int k = 0; k < 9; ++k)
            QTest::keyClick(f->HScroll_HbL, Qt::Key_Right);
        QCOMPARE(f->HScroll_HbL->value(), 10);
        QSignalSpy changes(f->HScroll_HbL, &ui::ScrollBar::changed);
        QTest::keyClick(f->HScroll_HbL, Qt::Key(key));
        QCOMPARE(f->HScroll_HbL->value(), value);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(f->Text_HbL->text(), QString::number(value / 100.0));
    }

    void draggingTheThumbChangesNothingUntilRelease()
    {
        ui::ScrollBar* bar = f->HScroll_Moo;
        bar->setFixedWidth(300); // room to drag in
        QSignalSpy changes(bar, &ui::ScrollBar::changed);
        const QPoint thumb = centreOf(bar, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
        for (int dx = 10; dx <= 100; dx += 10)
            QTest::mouseMove(bar, thumb + QPoint(dx, 0));
        QVERIFY(bar->sliderPosition() > 0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(changes.size(), 0);
        QVERIFY(blank(f->Picture_Akim));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(100, 0));
        QCOMPARE(changes.size(), 1);
        QVERIFY(bar->value() > 0);
        QCOMPARE(f->Text_Moo->text(), QString::number(bar->value() / 100.0));
        QVERIFY(!blank(f->Picture_Akim));
    }

    void heldArrowReportsAnErrorOnce()
    {
        Form1Fixture::type(f->Text_Moo, "1.5");
        // Like a modal message box, the report runs an event loop for a while,
        // long enough for a held arrow to repeat many times.
        int reports = 0;
        f->form->setErrorReport([&](const flow::RunTimeError&) {
            ++reports;
            QEventLoop loop;
            QTimer::singleShot(1200, &loop, &QEventLoop::quit);
            loop.exec();
        });
        const QPoint arrow = centreOf(f->HScroll_HbL, QStyle::SC_ScrollBarAddLine);
        QTest::mousePress(f->HScroll_HbL, Qt::LeftButton, {}, arrow);
        QCOMPARE(reports, 1);
        QCOMPARE(f->HScroll_HbL->value(), 2);
        QTest::mouseRelease(f->HScroll_HbL, Qt::LeftButton, {}, arrow);
        QCOMPARE(reports, 1);
        QCOMPARE(f->HScroll_HbL->value(), 2);

        // The bar still works afterwards.
        Form1Fixture::type(f->Text_Moo, "0.5");
        clickArrow(f->HScroll_HbL, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f->HScroll_HbL->value(), 3);
        QCOMPARE(reports, 1);
        QVERIFY(!blank(f->Picture_Akim));
    }
};

QTEST_MAIN(TestScrollBars)
#include "tst_scroll_bars.moc"

// The button and the scroll bars: what each reads, writes, stores and draws,
// and what happens when the arithmetic fails.

#include "form1_fixture.h"

#include <cmath>

namespace {

bool hasCurves(ui::PictureBox* box)
{
    return pixelsOf(box->renderedImage(), colours::blue) > 0;
}

} // namespace

class TestForm1Handlers : public QObject {
    Q_OBJECT

private slots:
    void buttonReadsBothTextsAndDrawsBothPlots()
    {
        Form1Fixture f;
        f.calculate("0.6", "0.05");
        QCOMPARE(f.values().Beta(), 0.8);
        QCOMPARE(f.values().H(), 0.05);
        QVERIFY(hasCurves(f.Picture_Akim));
        QVERIFY(pixelsOf(f.Picture_Akim->renderedImage(), colours::red) > 0);
        QVERIFY(pixelsOf(f.Picture_Akim->renderedImage(), colours::black) > 0);
        QVERIFY(hasCurves(f.Picture_basinc));
        QVERIFY(pixelsOf(f.Picture_basinc->renderedImage(), colours::red) > 0);
        // The button moves no scroll bar.
        QCOMPARE(f.HScroll_Moo->value(), 0);
        QCOMPARE(f.HScroll_HbL->value(), 1);
        QVERIFY(f.reportedErrors.empty());
    }

    void typedMachNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("Beta");
        QTest::newRow("letters only read as 0") << "abc" << 1.0;
        QTest::newRow("nothing reads as 0") << "" << 1.0;
        QTest::newRow("decimal comma reads as 0") << "0,5" << 1.0;
        QTest::newRow("leading blank") << " 0.3" << std::sqrt(1 - 0.3 * 0.3);
        QTest::newRow("trailing letters") << "0.3abc" << std::sqrt(1 - 0.3 * 0.3);
        QTest::newRow("negative") << "-0.5" << 0.8660254037844386;
    }
    void typedMachNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, Beta);
        Form1Fixture f;
        f.calculate(text);
        QCOMPARE(f.values().Beta(), Beta);
        QCOMPARE(f.Text_Moo->text(), text); // the button writes no text
        QVERIFY(hasCurves(f.Picture_Akim));
    }

    void typingAloneDoesNothing()
    {
        Form1Fixture f;
        Form1Fixture::type(f.Text_Moo, "0.4");
        Form1Fixture::type(f.Text_HbL, "0.2");
        QVERIFY(blank(f.Picture_Akim));
        QCOMPARE(f.HScroll_Moo->value(), 0);
        QCOMPARE(f.values().Beta(), 0.0);
    }

    void ratioBarWritesItsTextAndReadsMachFromItsBox()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_Moo, "0.4"); // typed, button not pressed
        for (int k = 0; k < 6; ++k)
            clickArrow(f.HScroll_HbL, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f.HScroll_HbL->value(), 7);
        QCOMPARE(f.Text_HbL->text(), QString("0.07"));
        QCOMPARE(f.values().H(), 0.07);
        QCOMPARE(f.values().Beta(), std::sqrt(1 - 0.4 * 0.4));
        QCOMPARE(f.HScroll_Moo->value(), 0); // the other bar stays where it was
        QCOMPARE(f.Text_Moo->text(), QString("0.4"));
        QVERIFY(hasCurves(f.Picture_Akim));
        QVERIFY(hasCurves(f.Picture_basinc));
    }

    void machBarWritesItsTextAndReadsRatioFromItsBox()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_HbL, "0.15");
        clickArrow(f.HScroll_Moo, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f.Text_Moo->text(), QString("0.01"));
        QCOMPARE(f.values().Beta(), std::sqrt(1 - 0.01 * 0.01));
        QCOMPARE(f.values().H(), 0.15);
        QCOMPARE(f.HScroll_HbL->value(), 1);
    }

    void machBarWithoutARatioDrawsAFlatWall()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_HbL, "xyz");
        clickArrow(f.HScroll_Moo, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f.values().H(), 0.0);
        // Flat wall and level streamlines: the blue pixels lie on three rows.
        const QImage& image = f.Picture_Akim->renderedImage();
        QSet<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == toQRgb(colours::blue))
                    rows.insert(y);
        QCOMPARE(rows.size(), 3);
    }

    void sonicFlowDrawsStreamlinesThenStopsInThePressurePlot()
    {
        Form1Fixture f;
        f.calculate("1");
        QCOMPARE(f.reportedErrors, std::vector<int>{11});
        QVERIFY(hasCurves(f.Picture_Akim));
        QVERIFY(pixelsOf(f.Picture_Akim->renderedImage(), colours::red) > 0);
        // Only the frame and the grid of the pressure plot.
        QVERIFY(pixelsOf(f.Picture_basinc->renderedImage(), colours::black) > 0);
        QVERIFY(pixelsOf(f.Picture_basinc->renderedImage(), colours::lightGrey) > 0);
        QVERIFY(!hasCurves(f.Picture_basinc));
        QCOMPARE(pixelsOf(f.Picture_basinc->renderedImage(), colours::red), 0);

        // The window stays usable: the next calculation works normally.
        f.calculate("0.5");
        QCOMPARE(f.reportedErrors.size(), std::size_t(1));
        QVERIFY(hasCurves(f.Picture_basinc));
    }

    void supersonicButtonStoresNothingAndRedrawsNothing()
    {
        Form1Fixture f;
        f.calculate("0.6");
        const QImage streamlines = f.Picture_Akim->renderedImage();
        const QImage pressure = f.Picture_basinc->renderedImage();
        f.calculate("1.5", "0.2");
        QCOMPARE(f.reportedErrors, std::vector<int>{5});
        QCOMPARE(f.values().Beta(), 0.8);
        QCOMPARE(f.values().H(), 0.01); // H comes after Beta: not stored
        QCOMPARE(f.Picture_Akim->renderedImage(), streamlines);
        QCOMPARE(f.Picture_basinc->renderedImage(), pressure);
    }

    void supersonicRatioBarHasStoredItsTextAndHeight()
    {
        Form1Fixture f;
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_Moo, "1.5");
        clickArrow(f.HScroll_HbL, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(f.reportedErrors, std::vector<int>{5});
        QCOMPARE(f.Text_HbL->text(), QString("0.02"));
        QCOMPARE(f.values().H(), 0.02);
        QCOMPARE(f.values().Beta(), 0.0);
        QVERIFY(blank(f.Picture_Akim));
        QVERIFY(blank(f.Picture_basinc));
    }

    void numberBeyondTheDoubleRangeStopsBeforeAnythingIsStored()
    {
        Form1Fixture f;
        f.calculate("0.3", "1E400");
        QCOMPARE(f.reportedErrors, std::vector<int>{6});
        QCOMPARE(f.values().Beta(), 0.0);
        QCOMPARE(f.values().H(), 0.0);
        QVERIFY(blank(f.Picture_Akim));
    }

    void hugeWallIsClippedWithoutError()
    {
        Form1Fixture f;
        Form1Fixture::type(f.Text_HbL, "1E30");
        f.pressHesapla();
        QVERIFY(f.reportedErrors.empty());
        QVERIFY(pixelsOf(f.Picture_Akim->renderedImage(), colours::black) > 0);
        QVERIFY(hasCurves(f.Picture_Akim));
        QVERIFY(hasCurves(f.Picture_basinc));
    }
};

QTEST_MAIN(TestForm1Handlers)
#include "tst_form1_handlers.moc"

// The button and the scroll bars: what each reads, writes, stores and draws,
// and what happens when the arithmetic fails.

#include "form1_fixture.h"
#include "table_rows.h"

#include <cmath>

namespace {

bool shows(ui::PictureBox* box, flow::Colour ink)
{
    return pixelsOf(box->renderedImage(), ink) > 0;
}

bool hasCurves(ui::PictureBox* box)
{
    return shows(box, colours::blue);
}

} // namespace

struct Click {
    const char* name;
    QString moo, hbl;
    double Beta, H;
    int error;  ///< 0 where both plots are drawn
    bool apart; ///< the compressible solution (red) shows beside the incompressible
};
Q_DECLARE_METATYPE(Click)

class TestForm1Handlers : public QObject {
    Q_OBJECT

private slots:
    void buttonReadsBothTextsAndDrawsBothPlots_data()
    {
        const double beta03 = std::sqrt(1 - 0.3 * 0.3);
        const Click rows[] = {
            {"both texts read", "0.6", "0.05", 0.8, 0.05, 0, true},
            {"letters only read as 0", "abc", "0.01", 1.0, 0.01, 0, false},
            {"nothing reads as 0", "", "0.01", 1.0, 0.01, 0, false},
            {"decimal comma reads as 0", "0,5", "0.01", 1.0, 0.01, 0, false},
            {"leading blank", " 0.3", "0.01", beta03, 0.01, 0, false},
            {"trailing letters", "0.3abc", "0.01", beta03, 0.01, 0, false},
            {"negative", "-0.5", "0.01", 0.8660254037844386, 0.01, 0, true},
            {"a huge wall is clipped without error", "0", "1E30", 1.0, 1E30, 0, false},
            // The error stops the click before anything is stored.
            {"a number beyond the double range", "0.3", "1E400", 0.0, 0.0, 6, false},
        };
        addRows(rows);
    }
    void buttonReadsBothTextsAndDrawsBothPlots()
    {
        QFETCH(Click, row);
        Form1Fixture f;
        f.calculate(row.moo, row.hbl);
        QCOMPARE(f.reportedErrors, row.error ? std::vector<int>{row.error} : std::vector<int>{});
        QCOMPARE(f.values().Beta(), row.Beta);
        QCOMPARE(f.values().H(), row.H);
        // The button writes no text and moves no scroll bar.
        QCOMPARE(f.Text_Moo->text(), row.moo);
        QCOMPARE(f.Text_HbL->text(), row.hbl);
        QCOMPARE(f.HScroll_Moo->value(), 0);
        QCOMPARE(f.HScroll_HbL->value(), 1);
        for (ui::PictureBox* box : {f.Picture_Akim, f.Picture_basinc}) {
            QCOMPARE(blank(box), row.error != 0);
            QCOMPARE(hasCurves(box), row.error == 0);
            QCOMPARE(shows(box, colours::black), row.error == 0);
        }
        if (row.apart)
            QVERIFY(shows(f.Picture_Akim, colours::red) && shows(f.Picture_basinc, colours::red));
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
        QVERIFY(shows(f.Picture_Akim, colours::red));
        // Only the frame and the grid of the pressure plot.
        QVERIFY(shows(f.Picture_basinc, colours::black));
        QVERIFY(shows(f.Picture_basinc, colours::lightGrey));
        QVERIFY(!hasCurves(f.Picture_basinc));
        QVERIFY(!shows(f.Picture_basinc, colours::red));

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
};

QTEST_MAIN(TestForm1Handlers)
#include "tst_form1_handlers.moc"

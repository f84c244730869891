// basinc_ciz, the wall's pressure-coefficient plot, on a recording surface:
// the order of its drawing calls, the coefficients at the crest, and the
// errors of a sonic flow and of a coefficient beyond a float.

#include "handler_replay.h"
#include "plot_shape.h"

#include <QTest>

#include <cmath>

using flow::SurfaceCall;
using namespace plot_shape;
namespace colours = flow::colours;

class TestBasincCiz : public QObject {
    Q_OBJECT

private slots:
    void drawsFrameGridThenCurvesInOrder()
    {
        const auto r = recalculate(0.3, 0.05);
        QVERIFY(!r->error);
        QCOMPARE(r->basinc.calls.size(), std::size_t(2 + pressureLines));
        QVERIFY(beginsWith(r->basinc, pressureFrame()));
        const auto lines = linesOf(r->basinc);
        for (int i = 1; i <= 100; ++i) {
            const SurfaceCall& red = lines[frameLines + 2 * (i - 1)];
            const SurfaceCall& blue = lines[frameLines + 2 * (i - 1) + 1];
            QCOMPARE(red.colour, colours::red);
            QCOMPARE(blue.colour, colours::blue);
            QCOMPARE(red.coordinates[0], float(((i - 1) / 100.0) * 2));
            QCOMPARE(blue.coordinates[2], float((i / 100.0) * 2));
            // Cp2 = Cp1 / Beta: the red curve lies further from the axis.
            QVERIFY(std::fabs(red.coordinates[1]) >= std::fabs(blue.coordinates[1]));
        }
        // Streamlines are drawn first, and the pressure plot does not repeat them.
        QCOMPARE(r->akim.lineCount(), std::size_t(streamlineLines));
    }

    void sameInputsGiveIdenticalSequences()
    {
        QCOMPARE(recalculate(0.55, 0.11)->basinc.calls, recalculate(0.55, 0.11)->basinc.calls);
    }

    void incompressibleCurvesCoincide()
    {
        const auto lines = linesOf(recalculate(0.0, 0.01)->basinc);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(lines[frameLines + 2 * i].coordinates,
                     lines[frameLines + 2 * i + 1].coordinates);
        // -Cp is passed: the suction over the crest at x = 0 lies below the axis.
        QVERIFY(near(lines[frameLines].coordinates[1], 0.12566));
        QVERIFY(near(lines[frameLines + 2 * 24 + 1].coordinates[3], -0.12566));
    }

    void compressibleCoefficientsAtTheCrest()
    {
        const auto lines = linesOf(recalculate(0.6, 0.01)->basinc);
        QVERIFY(near(lines[frameLines].coordinates[1], 0.19635));     // Cp2, red
        QVERIFY(near(lines[frameLines + 1].coordinates[1], 0.15708)); // Cp1, blue
    }

    // The streamlines are all drawn; the pressure plot stops after its frame.
    void errorsStopThePressurePlotAfterItsFrame_data()
    {
        QTest::addColumn<double>("Moo");
        QTest::addColumn<double>("HbL");
        QTest::addColumn<int>("error");
        QTest::newRow("Moo 1 divides by zero") << 1.0 << 0.01 << 11;
        QTest::newRow("Moo -1 divides by zero") << -1.0 << 0.01 << 11;
        // Near-sonic flow: 1 / Beta^2 is about 4.5E15, so Cp2 leaves the float
        // range while the streamlines still fit.
        QTest::newRow("coefficient beyond a float at the first red segment")
            << 0.9999999999999999 << 1e25 << 6;
    }
    void errorsStopThePressurePlotAfterItsFrame()
    {
        QFETCH(double, Moo);
        QFETCH(double, HbL);
        QFETCH(int, error);
        const auto r = recalculate(Moo, HbL);
        QCOMPARE(r->errorCode(), error);
        QCOMPARE(r->akim.lineCount(), std::size_t(streamlineLines));
        QCOMPARE(r->basinc.calls.size(), std::size_t(2 + frameLines));
        QVERIFY(beginsWith(r->basinc, pressureFrame()));
    }

    void flatWallPutsBothCurvesOnTheAxis()
    {
        const auto lines = linesOf(recalculate(0.4, 0.0)->basinc);
        for (int i = frameLines; i < frameLines + 200; ++i) {
            QCOMPARE(lines[i].coordinates[1], 0.0f);
            QCOMPARE(lines[i].coordinates[3], 0.0f);
        }
        QCOMPARE(lines[frameLines + 199].coordinates[2], 2.0f);
    }

    void curvesBeyondThePlotAreNoError()
    {
        const auto r = recalculate(0.0, 0.5);
        QVERIFY(!r->error);
        QVERIFY(near(linesOf(r->basinc)[frameLines].coordinates[1], 2 * M_PI));
    }
};

QTEST_APPLESS_MAIN(TestBasincCiz)
#include "tst_basinc_ciz.moc"

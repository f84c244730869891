// akim_ciz, the streamline plot, on a recording surface: the order of its
// drawing calls, the wall and the streamlines' ends, and where a float or a
// double overflows.

#include "handler_replay.h"
#include "plot_shape.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using flow::SurfaceCall;
using namespace plot_shape;
namespace colours = flow::colours;

namespace {

constexpr int wallSegments = segmentsPerCurve;

/// The red and blue segment of streamline j (1 ... 3) at segment i (1 ... 100).
std::pair<SurfaceCall, SurfaceCall> streamlineSegment(const std::vector<SurfaceCall>& lines, int j,
                                                      int i)
{
    const std::size_t red = frameLines + wallSegments + ((j - 1) * 100 + (i - 1)) * 2;
    return {lines.at(red), lines.at(red + 1)};
}

} // namespace

class TestAkimCiz : public QObject {
    Q_OBJECT

private slots:
    void drawsFrameGridWallThenCurvesInOrder()
    {
        const auto r = recalculate(0.3, 0.05);
        QVERIFY(!r->error);
        QCOMPARE(r->akim.calls.size(), std::size_t(2 + streamlineLines));
        QVERIFY(beginsWith(r->akim, streamlineFrame()));

        const auto lines = linesOf(r->akim);

        for (int i = 0; i < wallSegments; ++i) {
            const SurfaceCall& wall = lines[frameLines + i];
            QCOMPARE(wall.colour, colours::black);
            QCOMPARE(wall.coordinates[0], float((i / 100.0) * 2));
            QCOMPARE(wall.coordinates[2], float(((i + 1) / 100.0) * 2));
        }
        // Each streamline left to right, red before blue at every segment,
        // streamline 1 before 2 before 3; consecutive segments join.
        for (int j = 1; j <= 3; ++j) {
            for (int i = 1; i <= 100; ++i) {
                const auto [red, blue] = streamlineSegment(lines, j, i);
                QCOMPARE(red.colour, colours::red);
                QCOMPARE(blue.colour, colours::blue);
                QCOMPARE(red.coordinates[2], float((i / 100.0) * 2));
                if (i > 1) {
                    const auto [previousRed, previousBlue] = streamlineSegment(lines, j, i - 1);
                    QCOMPARE(red.coordinates[0], previousRed.coordinates[2]);
                    QCOMPARE(red.coordinates[1], previousRed.coordinates[3]);
                    QCOMPARE(blue.coordinates[1], previousBlue.coordinates[3]);
                }
            }
            QVERIFY(streamlineSegment(lines, j, 1).first.coordinates[1] < -j * 0.5); // below y0
        }
        QCOMPARE(lines.size(), std::size_t(streamlineLines));
    }

    void sameInputsGiveIdenticalSequences()
    {
        const auto r = recalculate(0.45, 0.13);
        r->flow.akim_ciz();
        const auto& calls = r->akim.calls;
        constexpr int plotCalls = 2 + streamlineLines;
        QCOMPARE(calls.size(), std::size_t(2 * plotCalls));
        QVERIFY(std::equal(calls.begin(), calls.begin() + plotCalls, calls.begin() + plotCalls));
    }

    void wallEndPoints()
    {
        const double H = 0.01;
        const auto lines = linesOf(recalculate(0.0, H)->akim);
        const SurfaceCall first = lines[frameLines];
        QCOMPARE(first.coordinates[0], 0.0f);
        QCOMPARE(first.coordinates[1], float(-H));
        QCOMPARE(first.coordinates[2], 0.02f);
        QVERIFY(near(first.coordinates[3], -H * std::cos(0.04 * M_PI), 1e-9));
        const SurfaceCall last = lines[frameLines + wallSegments - 1];
        QCOMPARE(last.coordinates[2], 2.0f);
        QCOMPARE(last.coordinates[3], float(-H));
        // The trough of the first wavelength lies at x = 0.5.
        QCOMPARE(lines[frameLines + 24].coordinates[3], float(H));
    }

    // Over a flat wall the streamlines are level; there, and in a flow
    // without compressibility, blue is drawn over identical red.
    void flatWallOrIncompressibleFlowDrawsBlueOverIdenticalRed()
    {
        const auto flat = linesOf(recalculate(0.5, 0.0)->akim);
        const auto incompressible = linesOf(recalculate(0.0, 0.2)->akim);
        for (int i = 0; i < wallSegments; ++i) {
            QCOMPARE(flat[frameLines + i].coordinates[1], 0.0f);
            QCOMPARE(flat[frameLines + i].coordinates[3], 0.0f);
        }
        const float heights[] = {-0.5f, -1.0f, -1.5f};
        for (int j = 1; j <= 3; ++j)
            for (int i = 1; i <= 100; ++i) {
                const auto [red, blue] = streamlineSegment(flat, j, i);
                QCOMPARE(red.coordinates[1], heights[j - 1]);
                QCOMPARE(red.coordinates[3], heights[j - 1]);
                QCOMPARE(blue.coordinates, red.coordinates);
                const auto [red0, blue0] = streamlineSegment(incompressible, j, i);
                QCOMPARE(blue0.coordinates, red0.coordinates);
            }
    }

    void startingHeightsAtZero_data()
    {
        QTest::addColumn<double>("Moo");
        QTest::addColumn<QList<double>>("red");
        // At Moo = 1 the red lines keep the whole displacement 8 H.
        QTest::newRow("sonic") << 1.0 << QList<double>{0.58, 1.08, 1.58};
        QTest::newRow("Moo 0.6") << 0.6 << QList<double>{0.50648, 1.00052, 1.50004};
    }
    void startingHeightsAtZero()
    {
        QFETCH(double, Moo);
        QFETCH(QList<double>, red);
        const auto r = recalculate(Moo, 0.01);
        const auto lines = linesOf(r->akim);
        QCOMPARE(r->akim.lineCount(), std::size_t(streamlineLines));
        const double blue[] = {0.50346, 1.00015, 1.50001};
        for (int j = 1; j <= 3; ++j) {
            const auto [r1, b1] = streamlineSegment(lines, j, 1);
            QVERIFY2(near(r1.coordinates[1], -red[j - 1]), qPrintable(QString::number(j)));
            QVERIFY2(near(b1.coordinates[1], -blue[j - 1]), qPrintable(QString::number(j)));
            QVERIFY(std::fabs(r1.coordinates[1]) >= std::fabs(b1.coordinates[1]));
        }
    }

    void negativeRatioMirrorsTheWave()
    {
        const auto lines = linesOf(recalculate(0.3, -0.05)->akim);
        QCOMPARE(lines[frameLines].coordinates[1], 0.05f); // trough at x = 0
        const auto [red, blue] = streamlineSegment(lines, 1, 1);
        QVERIFY(red.coordinates[1] > -0.5f);
        QVERIFY(blue.coordinates[1] > -0.5f);
    }

    void tallWallLeavesThePlotWithoutError()
    {
        const auto r = recalculate(0.3, 1.0);
        QVERIFY(!r->error);
        QCOMPARE(r->akim.lineCount(), std::size_t(streamlineLines));
        QCOMPARE(linesOf(r->akim)[frameLines].coordinates[1], -1.0f);
    }

    // Run-time error 6, and how many Lines each plot drew before it.
    void overflowStopsWhereItArises_data()
    {
        QTest::addColumn<double>("Moo");
        QTest::addColumn<double>("HbL");
        QTest::addColumn<int>("akimLines");
        QTest::addColumn<int>("basincCalls");
        QTest::newRow("height beyond a float, at the first wall segment")
            << 0.0 << 1e39 << frameLines << 0;
        QTest::newRow("height beyond the double range, still at the wall")
            << 0.0 << 1e308 << frameLines << 0;
        // The wall itself (1E38) fits in a float; 8 H at Moo = 1 does not.
        QTest::newRow("displacement beyond a float, at the first red segment")
            << 1.0 << 1e38 << frameLines + wallSegments << 0;
        // At Moo = 0 the first streamline's displacement is 8 H e^-pi, below H;
        // the pressure plot, 4 pi H, is the one that overflows.
        QTest::newRow("largest displacement that fits draws every streamline")
            << 0.0 << 3e38 << streamlineLines << 2 + frameLines;
    }
    void overflowStopsWhereItArises()
    {
        QFETCH(double, Moo);
        QFETCH(double, HbL);
        QFETCH(int, akimLines);
        QFETCH(int, basincCalls);
        const auto r = recalculate(Moo, HbL);
        QCOMPARE(r->errorCode(), 6);
        QCOMPARE(r->akim.lineCount(), std::size_t(akimLines));
        QCOMPARE(r->basinc.calls.size(), std::size_t(basincCalls));
        QCOMPARE(r->basinc.lineCount(), std::size_t(std::max(basincCalls - 2, 0)));
    }
};

QTEST_APPLESS_MAIN(TestAkimCiz)
#include "tst_akim_ciz.moc"

// One half of the flow calculation: the fixed values the load sets, beta from
// the Mach number, the wave's height, the errors with their numbers and
// kinds, and the summary of what the plots drew.

#include "flow_half.h"
#include "handler_replay.h"
#include "plot_shape.h"
#include "recording_surface.h"
#include "run_time_error.h"
#include "table_rows.h"

#include <QTest>

#include <algorithm>
#include <cfloat>
#include <limits>
#include <optional>

using flow::ErrorNumber;
using flow::FlowHalf;
using flow::RecordingSurface;
using flow::RunTimeError;

struct BetaRow {
    const char* name;
    double Moo, Beta;
    std::optional<ErrorNumber> error; ///< none where Beta is set
};

Q_DECLARE_METATYPE(BetaRow)

class TestFlowHalf : public QObject {
    Q_OBJECT

private slots:
    void loadSetsTheFixedValuesAndDrawsNothing()
    {
        RecordingSurface akim, basinc;
        FlowHalf form(akim, basinc);
        QCOMPARE(form.Beta(), 0.0);
        QCOMPARE(form.H(), 0.0);
        form.Form_Load();
        QCOMPARE(form.Pi(), 3.141592653589793);
        QCOMPARE(form.L(), 1);
        QCOMPARE(form.N(), 100);
        QVERIFY(akim.calls.empty());
        QVERIFY(basinc.calls.empty());
    }

    // Beta from the Mach number, after a first Moo of 0.6; where setBeta
    // fails, its error, and the 0.8 of that first Moo unchanged.
    void betaFollowsMach_data()
    {
        const BetaRow rows[] = {
            {"at rest", 0.0, 1.0, {}},
            {"half", 0.5, 0.8660254037844386, {}},
            {"negative half, same as half", -0.5, 0.8660254037844386, {}},
            {"0.6 gives the double nearest 0.8", 0.6, 0.8, {}},
            {"sonic", 1.0, 0.0, {}},
            {"negative sonic", -1.0, 0.0, {}},
            {"supersonic 1.2", 1.2, 0.8, ErrorNumber::InvalidArgument},
            {"supersonic -1.2", -1.2, 0.8, ErrorNumber::InvalidArgument},
            {"just above sonic", std::nextafter(1.0, 2.0), 0.8, ErrorNumber::InvalidArgument},
            {"largest square in range", 1.34e154, 0.8, ErrorNumber::InvalidArgument},
            {"square beyond the double range", 1.35e154, 0.8, ErrorNumber::Overflow},
            {"1E200", 1e200, 0.8, ErrorNumber::Overflow},
            {"largest double", std::numeric_limits<double>::max(), 0.8, ErrorNumber::Overflow},
        };
        addRows(rows);
    }
    void betaFollowsMach()
    {
        QFETCH(BetaRow, row);
        HandlerReplay<> loaded;
        loaded.flow.setBeta(0.6);
        try {
            loaded.flow.setBeta(row.Moo);
            QVERIFY2(!row.error, "no error raised");
        } catch (const RunTimeError& e) {
            QVERIFY2(row.error, e.what());
            QCOMPARE(e.number(), *row.error);
        }
        QCOMPARE(loaded.flow.Beta(), row.Beta);
    }

    void heightIsRatioTimesWavelength()
    {
        for (double HbL : {0.01 /* default */, 0.0 /* flat */, -0.07 /* mirrored */, 1e300}) {
            HandlerReplay<> loaded;
            loaded.flow.setH(HbL);
            QCOMPARE(loaded.flow.H(), HbL);
        }
    }

    void errorsCarryNumberAndKind()
    {
        for (const auto& [number, code, kind] :
             {std::tuple{ErrorNumber::InvalidArgument, 5, "invalid procedure call or argument"},
              {ErrorNumber::Overflow, 6, "overflow"},
              {ErrorNumber::DivisionByZero, 11, "division by zero"}}) {
            const RunTimeError e(number);
            QCOMPARE(e.code(), code);
            QCOMPARE(QString(e.kind()), QString(kind));
            QCOMPARE(QString(e.what()), QString("Run-time error %1: %2").arg(code).arg(kind));
        }
    }

    // What a screen reader is told is what was drawn: the extremes of the
    // drawn curves and the first point of each streamline.
    void summaryHoldsTheDrawnNumbers_data()
    {
        QTest::addColumn<double>("Moo");
        QTest::addColumn<double>("HbL");
        QTest::newRow("start values") << 0.0 << 0.01;
        QTest::newRow("bar maximum") << 0.6 << 0.2;
        QTest::newRow("typed") << -0.93 << 0.137;
        QTest::newRow("tall wall") << 0.3 << 1.0;
    }
    void summaryHoldsTheDrawnNumbers()
    {
        QFETCH(double, Moo);
        QFETCH(double, HbL);
        const auto r = recalculate(Moo, HbL);
        const flow::PlotSummary& s = r->flow.summary();
        QVERIFY(s.streamlinesDrawn && s.pressureDrawn);
        const auto pressure = linesOf(r->basinc);
        auto drawn = [&](flow::Colour colour, bool largest) {
            float extreme = largest ? -FLT_MAX : FLT_MAX;
            for (const flow::SurfaceCall& line : pressure)
                if (line.colour == colour)
                    extreme = largest ? std::max(extreme, line.coordinates[1])
                                      : std::min(extreme, line.coordinates[1]);
            return extreme;
        };
        // The surfaces are handed -Cp.
        QCOMPARE(float(-s.Cp1Min), drawn(flow::colours::blue, true));
        QCOMPARE(float(-s.Cp1Max), drawn(flow::colours::blue, false));
        QCOMPARE(float(-s.Cp2Min), drawn(flow::colours::red, true));
        QCOMPARE(float(-s.Cp2Max), drawn(flow::colours::red, false));
        const auto streamlines = linesOf(r->akim);
        for (int j = 0; j < FlowHalf::M; ++j) {
            const int red = plot_shape::frameLines + plot_shape::segmentsPerCurve * (1 + 2 * j);
            QCOMPARE(streamlines[red].coordinates[1],
                     float(-(s.heights[j] + s.compressibleAmplitude[j])));
            QCOMPARE(streamlines[red + 1].coordinates[1],
                     float(-(s.heights[j] + s.incompressibleAmplitude[j])));
        }
    }

    void summarySaysHowFarThePlotsGot()
    {
        const auto r = recalculate(1.0, 0.01); // the pressure plot divides by Beta = 0
        QVERIFY(r->flow.summary().streamlinesDrawn);
        QVERIFY(!r->flow.summary().pressureDrawn);
        r->buttonWithNumbers(0.0, 1e39); // the wall leaves the float range
        QVERIFY(!r->flow.summary().streamlinesDrawn);
        QVERIFY(!r->flow.summary().pressureDrawn);
    }
};

QTEST_APPLESS_MAIN(TestFlowHalf)
#include "tst_flow_half.moc"

// plot_trace against a plain, separately written calculation of the same
// plots, bit for bit, and against texts no one would type.

#include <QProcess>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

struct Run {
    int exitCode = -1;
    QStringList lines;
};

Run plotTrace(const QStringList& arguments)
{
    QProcess process;
    process.start(PLOT_TRACE_PATH, arguments);
    if (!process.waitForFinished(30000))
        return {};
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return run;
}

// The C library's printf, as plot_trace uses it: Qt's own formatting drops
// the sign of a negative zero.
template <class... Args> QString printed(const char* format, Args... args)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return QString::fromLatin1(buffer);
}

QString number(float value)
{
    return printed("%.9g", double(value));
}

QString lineText(double x1, double y1, double x2, double y2, unsigned colour)
{
    return printed("Line %.9g %.9g %.9g %.9g %06X", double(float(x1)), double(float(y1)),
                   double(float(x2)), double(float(y2)), colour);
}

struct Frame {
    float top, bottom; // Scale's y extent
    float xAxisEnd;    // the x-axis runs from 0 to here
    float yAxisFrom, yAxisTo;
    float gridFrom, gridTo;
};

void frame(QStringList& out, const Frame& f)
{
    out << "Cls"
        << QString("Scale %1 %2 %3 %4")
               .arg(number(-0.2f), number(f.top), number(2.2f), number(f.bottom));
    out << lineText(0, 0, f.xAxisEnd, 0, 0) << lineText(0, f.yAxisFrom, 0, f.yAxisTo, 0);
    for (float x : {0.5f, 1.0f, 1.5f, 2.0f})
        out << lineText(x, f.gridFrom, x, f.gridTo, 0xDCDCDC);
}

/// Both plots for inputs inside the valid domain, in plain double arithmetic.
QStringList reference(double Moo, double HbL)
{
    const double pi = 4 * std::atan(1.0);
    const double beta = std::sqrt(1 - Moo * Moo);
    const double h = HbL;
    const double k = 2 * pi;
    auto x = [](int i) { return (i / 100.0) * 2; };

    QStringList out{"surface Picture_Akim"};
    frame(out, {-1.8f, 0.2f, 2.0f, -1.8f, 0.0f, 0.2f, -1.8f});
    for (int i = 1; i <= 100; ++i)
        out << lineText(x(i - 1), -(h * std::cos(k * x(i - 1))), x(i), -(h * std::cos(k * x(i))),
                        0);
    for (int j = 1; j <= 3; ++j) {
        const double y0 = (j / 3.0) * 1.5;
        const double inc = 8 * h * std::exp(-(k * y0));
        const double comp = 8 * h * std::exp(-(beta * (k * y0)));
        auto y = [&](double amplitude, int i) { return -(y0 + amplitude * std::cos(k * x(i))); };
        for (int i = 1; i <= 100; ++i) {
            out << lineText(x(i - 1), y(comp, i - 1), x(i), y(comp, i), 0x0000FF);
            out << lineText(x(i - 1), y(inc, i - 1), x(i), y(inc, i), 0xFF0000);
        }
    }
    out << "surface Picture_basinc";
    frame(out, {-4.0f, 4.0f, 2.2f, -4.0f, 4.0f, -3.5f, 3.5f});
    auto cp1 = [&](int i) { return (((-4 * pi) / beta) * h) * std::cos(k * x(i)); };
    for (int i = 1; i <= 100; ++i) {
        out << lineText(x(i - 1), -(cp1(i - 1) / beta), x(i), -(cp1(i) / beta), 0x0000FF);
        out << lineText(x(i - 1), -cp1(i - 1), x(i), -cp1(i), 0xFF0000);
    }
    return out;
}

} // namespace

class TestPlotTrace : public QObject {
    Q_OBJECT

private slots:
    void matchesPlainArithmetic_data()
    {
        QTest::addColumn<QString>("mooText");
        QTest::addColumn<QString>("hblText");
        QTest::addColumn<double>("Moo");
        QTest::addColumn<double>("HbL");
        QTest::newRow("start values") << "0"
                                      << "0.01" << 0.0 << 0.01;
        QTest::newRow("bar at 0.37") << "0.37"
                                     << "0.2" << 0.37 << 0.2;
        QTest::newRow("bar maximum") << "0.6"
                                     << "0.13" << 0.6 << 0.13;
        QTest::newRow("typed negative Mach") << "-0.45"
                                             << "0.07" << -0.45 << 0.07;
        QTest::newRow("mirrored wall") << "0.2"
                                       << "-0.05" << 0.2 << -0.05;
        QTest::newRow("near sonic") << "0.999"
                                    << "0.03" << 0.999 << 0.03;
        QTest::newRow("flat wall") << "0.5"
                                   << "0" << 0.5 << 0.0;
        QTest::newRow("odd texts") << " 0 . 2 5x"
                                   << "1D-2" << 0.25 << 0.01;
    }
    void matchesPlainArithmetic()
    {
        QFETCH(QString, mooText);
        QFETCH(QString, hblText);
        QFETCH(double, Moo);
        QFETCH(double, HbL);
        const Run run = plotTrace({mooText, hblText});
        QCOMPARE(run.exitCode, 0);
        const QStringList expected = reference(Moo, HbL);
        QCOMPARE(run.lines.size(), 1 + 708 + 1 + 208);
        for (int n = 0; n < expected.size(); ++n)
            QCOMPARE(run.lines[n], expected[n]);
    }

    void printsTheDocumentedFormat()
    {
        const Run run = plotTrace({"0", "0.01"});
        QCOMPARE(run.lines.mid(0, 4),
                 QStringList({"surface Picture_Akim", "Cls",
                              "Scale -0.200000003 -1.79999995 2.20000005 0.200000003",
                              "Line 0 0 2 0 000000"}));
        QCOMPARE(run.lines[6], QString("Line 1 0.200000003 1 -1.79999995 DCDCDC"));
        QCOMPARE(run.lines[711], QString("Scale -0.200000003 -4 2.20000005 4"));
    }

    void errorsEndTheTrace_data()
    {
        QTest::addColumn<QString>("mooText");
        QTest::addColumn<QString>("hblText");
        QTest::addColumn<int>("akimLines");
        QTest::addColumn<int>("basincLines");
        QTest::addColumn<QString>("errorLine");
        QTest::newRow("sonic") << "1"
                               << "0.01" << 708 << 8 << "error 11 division by zero";
        QTest::newRow("supersonic")
            << "1.5"
            << "0.01" << 0 << 0 << "error 5 invalid procedure call or argument";
        QTest::newRow("ratio beyond double") << "0"
                                             << "1E400" << 0 << 0 << "error 6 overflow";
        QTest::newRow("Mach beyond double") << "1E400"
                                            << "0.01" << 0 << 0 << "error 6 overflow";
        QTest::newRow("Mach squared beyond double") << "1E200"
                                                    << "0.01" << 0 << 0 << "error 6 overflow";
        QTest::newRow("wall beyond float") << "0"
                                           << "1E39" << 2 + 6 << 0 << "error 6 overflow";
    }
    void errorsEndTheTrace()
    {
        QFETCH(QString, mooText);
        QFETCH(QString, hblText);
        QFETCH(int, akimLines);
        QFETCH(int, basincLines);
        QFETCH(QString, errorLine);
        const Run run = plotTrace({mooText, hblText});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines.size(), 2 + akimLines + basincLines + 1);
        QCOMPARE(run.lines.first(), QString("surface Picture_Akim"));
        QCOMPARE(run.lines[1 + akimLines], QString("surface Picture_basinc"));
        QCOMPARE(run.lines.last(), errorLine);
    }

    void strangeTextsNeverCrash_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("invalid UTF-8") << QByteArray("\xff\xfe\x80\xc3");
        QTest::newRow("Turkish letters") << QByteArray("ıçüğ");
        QTest::newRow("lone signs and points") << QByteArray("+-..");
        QTest::newRow("words for infinity") << QByteArray("inf");
        QTest::newRow("hexadecimal float") << QByteArray("0x1p3");
        QTest::newRow("a hundred thousand nines") << QByteArray(100000, '9');
        QTest::newRow("tiny") << QByteArray("1E-400");
        QTest::newRow("exponent without digits") << QByteArray("1E+");
    }
    void strangeTextsNeverCrash()
    {
        QFETCH(QByteArray, text);
        for (const QStringList& arguments : {QStringList{QString::fromLocal8Bit(text), "0.01"},
                                             {"0.3", QString::fromLocal8Bit(text)}}) {
            const Run run = plotTrace(arguments);
            QCOMPARE(run.exitCode, 0);
            QVERIFY(run.lines.contains("surface Picture_basinc"));
        }
    }

    void wrongArgumentCountIsAUsageError()
    {
        QCOMPARE(plotTrace({}).exitCode, 2);
        QCOMPARE(plotTrace({"0"}).exitCode, 2);
        QCOMPARE(plotTrace({"0", "0.01", "x"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestPlotTrace)
#include "tst_plot_trace.moc"

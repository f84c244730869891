// plot_trace's lines against a plain, separately written calculation of the
// same plots, bit for bit, against lines written out in the test, and against
// texts no one would type; the lines are worked out in this process, the
// command line is run.

#include "plot_shape.h"
#include "plot_trace_lines.h"
#include "table_rows.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <cmath>

namespace {

/// What plot_trace prints for these texts, worked out in this process.
QStringList plotTrace(const QByteArray& mooText, const QByteArray& hblText)
{
    QStringList lines;
    for (const std::string& line :
         plot_trace::clickLines(mooText.toStdString(), hblText.toStdString()))
        lines << QString::fromStdString(line);
    return lines;
}

/// The exit code of the program itself, for its command line.
int exitCodeOf(const QStringList& arguments)
{
    QProcess process;
    process.start(PLOT_TRACE_PATH, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString lineText(double x1, double y1, double x2, double y2, unsigned colour)
{
    const auto call = plot_shape::line(float(x1), float(y1), float(x2), float(y2), colour);
    return QString::fromStdString(plot_trace::callLine(call));
}

void frame(QStringList& out, const plot_shape::FrameCalls& calls)
{
    for (const flow::SurfaceCall& call : calls)
        out << QString::fromStdString(plot_trace::callLine(call));
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
    frame(out, plot_shape::streamlineFrame());
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
    frame(out, plot_shape::pressureFrame());
    auto cp1 = [&](int i) { return (((-4 * pi) / beta) * h) * std::cos(k * x(i)); };
    for (int i = 1; i <= 100; ++i) {
        out << lineText(x(i - 1), -(cp1(i - 1) / beta), x(i), -(cp1(i) / beta), 0x0000FF);
        out << lineText(x(i - 1), -cp1(i - 1), x(i), -cp1(i), 0xFF0000);
    }
    return out;
}

struct Inputs {
    const char* name;
    QByteArray mooText, hblText;
    double Moo, HbL;
};

struct Stop {
    const char* name;
    QByteArray mooText, hblText;
    int akimLines, basincLines;
    QString errorLine;
};

} // namespace

Q_DECLARE_METATYPE(Inputs)
Q_DECLARE_METATYPE(Stop)

class TestPlotTrace : public QObject {
    Q_OBJECT

private slots:
    void matchesPlainArithmetic_data()
    {
        const Inputs rows[] = {
            {"start values", "0", "0.01", 0.0, 0.01},
            {"bar at 0.37", "0.37", "0.2", 0.37, 0.2},
            {"bar maximum", "0.6", "0.13", 0.6, 0.13},
            {"typed negative Mach", "-0.45", "0.07", -0.45, 0.07},
            {"mirrored wall", "0.2", "-0.05", 0.2, -0.05},
            {"near sonic", "0.999", "0.03", 0.999, 0.03},
            {"flat wall", "0.5", "0", 0.5, 0.0},
            {"odd texts", " 0 . 2 5x", "1D-2", 0.25, 0.01},
        };
        addRows(rows);
    }
    void matchesPlainArithmetic()
    {
        QFETCH(Inputs, row);
        const QStringList lines = plotTrace(row.mooText, row.hblText);
        QCOMPARE(lines.size(),
                 1 + 2 + plot_shape::streamlineLines + 1 + 2 + plot_shape::pressureLines);
        QCOMPARE(lines, reference(row.Moo, row.HbL));
    }

    void printsTheDocumentedFormat()
    {
        const QStringList lines = plotTrace("0", "0.01");
        QCOMPARE(lines.mid(0, 4),
                 QStringList({"surface Picture_Akim", "Cls",
                              "Scale -0.200000003 -1.79999995 2.20000005 0.200000003",
                              "Line 0 0 2 0 000000"}));
        QCOMPARE(lines[6], QString("Line 1 0.200000003 1 -1.79999995 DCDCDC"));
        QCOMPARE(lines[711], QString("Scale -0.200000003 -4 2.20000005 4"));
    }

    // A few lines written out from a calculation made apart from the program,
    // so that the printing itself is checked as well.
    void printsWrittenOutLines_data()
    {
        QTest::addColumn<QString>("mooText");
        QTest::addColumn<QString>("hblText");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("line");
        QFile file(WRITTEN_OUT_LINES_PATH);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!file.atEnd()) {
            const QString row = QString::fromUtf8(file.readLine()).trimmed();
            if (row.isEmpty() || row.startsWith('#'))
                continue;
            const QStringList words = row.split(' ');
            QTest::addRow("%s %s line %s", qPrintable(words[0]), qPrintable(words[1]),
                          qPrintable(words[2]))
                << words[0] << words[1] << words[2].toInt() << words.mid(3).join(' ');
        }
    }
    void printsWrittenOutLines()
    {
        QFETCH(QString, mooText);
        QFETCH(QString, hblText);
        QFETCH(int, index);
        QFETCH(QString, line);
        QCOMPARE(plotTrace(mooText.toUtf8(), hblText.toUtf8()).value(index), line);
    }

    void errorsEndTheTrace_data()
    {
        const QString overflow = "error 6 overflow";
        const Stop rows[] = {
            {"sonic", "1", "0.01", 2 + plot_shape::streamlineLines, 2 + plot_shape::frameLines,
             "error 11 division by zero"},
            {"supersonic", "1.5", "0.01", 0, 0, "error 5 invalid procedure call or argument"},
            {"ratio beyond double", "0", "1E400", 0, 0, overflow},
            {"Mach beyond double", "1E400", "0.01", 0, 0, overflow},
            {"Mach squared beyond double", "1E200", "0.01", 0, 0, overflow},
            {"wall beyond float", "0", "1E39", 2 + 6, 0, overflow},
        };
        addRows(rows);
    }
    void errorsEndTheTrace()
    {
        QFETCH(Stop, row);
        const auto& [name, mooText, hblText, akimLines, basincLines, errorLine] = row;
        const QStringList lines = plotTrace(mooText, hblText);
        QCOMPARE(lines.size(), 2 + akimLines + basincLines + 1);
        QCOMPARE(lines.first(), QString("surface Picture_Akim"));
        QCOMPARE(lines[1 + akimLines], QString("surface Picture_basinc"));
        QCOMPARE(lines.last(), errorLine);
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
        for (const auto& [mooText, hblText] :
             {std::pair{text, QByteArray("0.01")}, std::pair{QByteArray("0.3"), text}}) {
            const QStringList lines = plotTrace(mooText, hblText);
            QVERIFY(lines.contains("surface Picture_basinc"));
        }
    }

    void wrongArgumentCountIsAUsageError()
    {
        QCOMPARE(exitCodeOf({}), 2);
        QCOMPARE(exitCodeOf({"0"}), 2);
        QCOMPARE(exitCodeOf({"0", "0.01", "x"}), 2);
        QCOMPARE(exitCodeOf({"0", "0.01"}), 0);
    }
};

QTEST_GUILESS_MAIN(TestPlotTrace)
#include "tst_plot_trace.moc"

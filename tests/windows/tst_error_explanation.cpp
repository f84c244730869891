// The error report teaches: after "Run-time error N: kind" one Turkish
// sentence says, in terms of the inputs, what went wrong and which range
// works, chosen by where the error arose.

#include "error_explanation.h"
#include "form1_fixture.h"
#include "handler_replay.h"
#include "table_rows.h"
#include "while_open.h"

#include <QMessageBox>

struct Explained {
    const char* name;
    QString moo, hbl;
    int error;
    QString says;
};

Q_DECLARE_METATYPE(Explained)

class TestErrorExplanation : public QObject {
    Q_OBJECT

private slots:
    void explanationFollowsWhereTheErrorArose_data()
    {
        const Explained rows[] = {
            {"square root", "1.5", "0.01", 5, "Moo = 1.5 için Beta = √(1 - Moo²) hesaplanamaz"},
            {"negative supersonic", "-2", "0.01", 5, "Moo = -2 için"},
            {"sonic", "1", "0.01", 11, "Moo = 1 ses hızıdır"},
            {"Moo squared", "1E200", "0.01", 6,
             "Moo = 1E+200 için Moo² hesaplanamayacak kadar büyük"},
            {"H/L text", "0.5", "1E400", 6, "H/L kutusundaki sayı çok büyük"},
            {"Moo text", "-1E999", "0.01", 6, "Moo kutusundaki sayı çok büyük"},
            {"streamline point", "0.5", "1E39", 6, "Moo = 0.5, H/L = 1E+39 ile akım çizgilerinin"},
            {"pressure point", "0.9999999999999999", "1E25", 6,
             "ile basınç katsayısı çizilemeyecek kadar büyük"},
        };
        addRows(rows);
    }
    void explanationFollowsWhereTheErrorArose()
    {
        QFETCH(Explained, row);
        const auto& [name, moo, hbl, error, says] = row;
        HandlerReplay click;
        QCOMPARE(click.button(moo.toStdString(), hbl.toStdString()), error);
        std::optional<ui::Plot> plot;
        if (!click.basinc.calls.empty())
            plot = ui::Plot::Pressure;
        else if (!click.akim.calls.empty())
            plot = ui::Plot::Streamlines;
        const QString report = ui::errorReport(*click.error, {moo, hbl, plot});
        QVERIFY2(report.startsWith(QString::fromUtf8(click.error->what()) + "\n\n"),
                 qPrintable(report));
        QVERIFY2(report.contains(says), qPrintable(report));
        QVERIFY2(report.count('.') >= 1 && report.endsWith('.'), qPrintable(report));
        if (error != 6 || says.contains("Moo²"))
            QVERIFY2(report.contains("-1 < Moo < 1"), qPrintable(report));
    }

    void theWindowReportsIt()
    {
        Form1Fixture f(Form1Fixture::Reports::Shown);
        QVERIFY(f.exposed());
        Form1Fixture::type(f.Text_Moo, "1.5");
        QString shown;
        const auto read = [&](QMessageBox* box) {
            shown = box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
        };
        whileReportOpen([&] { f.pressHesapla(); }, read);
        QCOMPARE(shown, QString("Run-time error 5: invalid procedure call or argument\n\nMoo = "
                                "1.5 için Beta = √(1 - Moo²) hesaplanamaz, çünkü 1 - Moo² "
                                "negatif: doğrusallaştırılmış sesaltı akım kuramı -1 < Moo < 1 "
                                "ister, örneğin Moo = 0.5."));
        QVERIFY(f.form->isVisible());
    }
};

QTEST_MAIN(TestErrorExplanation)
#include "tst_error_explanation.moc"

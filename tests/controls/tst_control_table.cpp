// A window's table of controls: the main window's is sound, and a mistake in
// a table stops the program at start-up with a message naming the row.

#include "control_table.h"
#include "controls.h"
#include "form1_table.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <vector>

using ui::ControlKind;
using ui::ControlRow;

namespace {

// clang-format off
const std::vector<ControlRow> soundTable = {
    ControlRow{"Frame1",   ControlKind::Frame,   "Form1",  nullptr,  120, 240, 1695, 2295, 2},
    ControlRow{"Text_Moo", ControlKind::TextBox, "Frame1", "0",      120, 480,  615,  285, 5},
    ControlRow{"Command1", ControlKind::Button,  "Frame1", "HESAPLA", 240, 1680, 1215, 495, 3},
};
// clang-format on

/// The sound table with one field of one row changed.
template <class Change> std::vector<ControlRow> withRow(std::size_t index, Change change)
{
    std::vector<ControlRow> table = soundTable;
    change(table[index]);
    return table;
}

} // namespace

class TestControlTable : public QObject {
    Q_OBJECT

private slots:
    void soundTablesPass()
    {
        QCOMPARE(ui::tableMistake("Form1", soundTable), QString());
        QCOMPARE(ui::tableMistake("Form1", ui::form1Controls), QString());
    }

    void mistakesNameTheirRow_data()
    {
        QTest::addColumn<std::vector<ControlRow>>("table");
        QTest::addColumn<QString>("mistake");
        QTest::newRow("misspelled container")
            << withRow(1, [](ControlRow& r) { r.container = "Frame"; })
            << "Form1, row 2 (Text_Moo): the container \"Frame\" is neither the window nor an "
               "earlier row";
        QTest::newRow("container below")
            << withRow(0, [](ControlRow& r) { r.container = "Text_Moo"; })
            << "Form1, row 1 (Frame1): the container \"Text_Moo\" is neither the window nor an "
               "earlier row";
        QTest::newRow("name used twice") << withRow(2, [](ControlRow& r) { r.name = "Text_Moo"; })
                                         << "Form1, row 3 (Text_Moo): the name is used twice";
        QTest::newRow("tab index used twice")
            << withRow(2, [](ControlRow& r) { r.tabIndex = 5; })
            << "Form1, row 3 (Command1): the tab index 5 is used twice";
        QTest::newRow("no name") << withRow(1, [](ControlRow& r) { r.name = ""; })
                                 << "Form1, row 2 (): the control has no name";
    }
    void mistakesNameTheirRow()
    {
        QFETCH(std::vector<ControlRow>, table);
        QFETCH(QString, mistake);
        QCOMPARE(ui::tableMistake("Form1", table), mistake);
    }

    void mistakeStopsTheProgram()
    {
        QProcess child;
        child.start(QApplication::applicationFilePath(), {"--build-misspelled-table"});
        QVERIFY(child.waitForFinished(10000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY2(child.readAllStandardError().contains("Form1, row 2 (Text_Moo): the container"),
                 "the message names the row");
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (app.arguments().contains("--build-misspelled-table")) {
        QWidget window;
        ui::Controls controls(&window, "Form1",
                              withRow(1, [](ControlRow& r) { r.container = "Frame"; }));
        return 0; // not reached
    }
    TestControlTable test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_control_table.moc"

#include "form1.h"

#include "controls.h"
#include "error_explanation.h"
#include "form1_table.h"
#include "form_about.h"
#include "menu_bar.h"
#include "picture_box.h"
#include "recalculation_report.h"
#include "scroll_bar.h"
#include "text_conversion.h"
#include "twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

/// The boxes of the window were made for an 8-point interface font: 11 pixels.
QFont interfaceFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

QWidget* makeClientArea()
{
    auto* client = new QWidget;
    client->setObjectName("Form1_client");
    client->setFont(interfaceFont());
    return client;
}

void setRanges(const Controls& controls)
{
    for (const ScrollBarRange& range : form1ScrollBars) {
        auto& bar = controls.get<ScrollBar>(range.name);
        const QSignalBlocker quiet(bar); // building the window raises no change
        bar.setRange(range.minimum, range.maximum);
        bar.setValue(range.initial);
        bar.setSingleStep(range.arrowStep);
        bar.setPageStep(range.trackStep);
        bar.setInputDivisor(range.divisor);
    }
}

} // namespace

QString Form1::title()
{
    return QStringLiteral("Dalga yüzlü duvar üzerinde küçük bozuntulu sesaltı akım");
}

Form1::Form1(QWidget* parent)
    : QMainWindow(parent)
    , client_(makeClientArea())
    , controls_(std::make_unique<Controls>(client_, "Form1", form1Controls))
    , Picture_Akim(&controls_->get<PictureBox>("Picture_Akim"))
    , Picture_basinc(&controls_->get<PictureBox>("Picture_basinc"))
    , Text_Moo(&controls_->get<QLineEdit>("Text_Moo"))
    , Text_HbL(&controls_->get<QLineEdit>("Text_HbL"))
    , HScroll_Moo(&controls_->get<ScrollBar>("HScroll_Moo"))
    , HScroll_HbL(&controls_->get<ScrollBar>("HScroll_HbL"))
    , Command1(&controls_->get<QPushButton>("Command1"))
    , Nm_About(new QAction(QStringLiteral("About"), this))
    , flow_(*Picture_Akim, *Picture_basinc)
    , guard_([this](const flow::RunTimeError& error) { reportError(error); })
    , report_(std::make_unique<RecalculationReport>(*Picture_Akim, *Picture_basinc, flow_))
{
    setObjectName("Form1");
    setWindowTitle(title());
    setFont(interfaceFont());
    setCentralWidget(client_);

    Picture_Akim->setBackgroundColour(flow::colours::lightYellow);
    Picture_basinc->setBackgroundColour(flow::colours::lightYellow);
    setRanges(*controls_);
    for (QLabel* label : client_->findChildren<QLabel*>())
        widenToFitText(label);

    setMenuBar(new MenuBar);
    Nm_About->setObjectName("Nm_About");
    Nm_About->setMenuRole(QAction::NoRole);
    menuBar()->addAction(Nm_About);

    resize(pixels(form1ClientWidth), pixels(form1ClientHeight) + menuBar()->sizeHint().height());
    // The labels above the text boxes name them.
    controls_->get<QLabel>("Label1").setBuddy(Text_Moo);
    controls_->get<QLabel>("Label2").setBuddy(Text_HbL);
    Picture_Akim->setFocus();

    guard_.run([this] { Form_Load(); });
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    // A failed recalculation is described on the picture boxes; a bar also
    // stops repeating a held click, so that its error is reported once.
    auto stopped = [this](const flow::RunTimeError& error) { report_->stopped(error); };
    auto barStopped = [this](ScrollBar* bar) {
        return [this, bar](const flow::RunTimeError& error) {
            bar->stopAutoRepeat();
            report_->stopped(error);
        };
    };
    connect(Command1, &QPushButton::clicked, this,
            [=, this] { guard_.run([this] { Command1_Click(); }, stopped); });
    connect(HScroll_HbL, &ScrollBar::changed, this,
            [=, this] { guard_.run([this] { HScroll_HbL_Change(); }, barStopped(HScroll_HbL)); });
    connect(HScroll_Moo, &ScrollBar::changed, this,
            [=, this] { guard_.run([this] { HScroll_Moo_Change(); }, barStopped(HScroll_Moo)); });
    connect(Nm_About, &QAction::triggered, this,
            [this] { guard_.run([this] { Nm_About_Click(); }); });
}

void Form1::Form_Load()
{
    flow_.Form_Load();
}

void Form1::Command1_Click()
{
    const double HbL = readInput(Text_HbL);
    const double Moo = readInput(Text_Moo);
    flow_.setBeta(Moo);
    flow_.setH(HbL);
    drawPlots(Moo, HbL);
}

void Form1::HScroll_HbL_Change()
{
    const double HbL = HScroll_HbL->input(); // the value / 100
    writeInput(Text_HbL, HbL);
    const double Moo = readInput(Text_Moo);
    flow_.setH(HbL);
    flow_.setBeta(Moo);
    drawPlots(Moo, HbL);
}

void Form1::HScroll_Moo_Change()
{
    const double Moo = HScroll_Moo->input(); // the value / 100
    writeInput(Text_Moo, Moo);
    const double HbL = readInput(Text_HbL);
    flow_.setBeta(Moo);
    flow_.setH(HbL);
    drawPlots(Moo, HbL);
}

void Form1::Nm_About_Click()
{
    FormAbout::instance().Show();
}

/// The streamlines first, then the wall pressure.
void Form1::drawPlots(double Moo, double HbL)
{
    report_->started(Moo, HbL);
    flow_.akim_ciz();
    flow_.basinc_ciz();
    report_->finished();
}

double Form1::readInput(const QLineEdit* box) const
{
    return flow::Val(box->text().toUtf8().toStdString());
}

void Form1::writeInput(QLineEdit* box, double value)
{
    box->setText(QString::fromStdString(flow::numberToText(value)));
}

void Form1::reportError(const flow::RunTimeError& error)
{
    const StoppedRecalculation where{Text_Moo->text(), Text_HbL->text(),
                                     report_->lastStoppedPlot()};
    QMessageBox::critical(this, title(), errorReport(error, where));
}

} // namespace ui

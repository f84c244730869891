#include "form1.h"

#include "accessible_texts.h"
#include "control_table.h"
#include "form1_controls.h"
#include "form_about.h"
#include "picture_box.h"
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
        auto* bar = controls.get<ScrollBar>(range.name);
        const QSignalBlocker quiet(bar); // building the window raises no change
        bar->setRange(range.minimum, range.maximum);
        bar->setValue(range.initial);
        bar->setSingleStep(range.arrowStep);
        bar->setPageStep(range.trackStep);
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
    , controls_(std::make_unique<Controls>(client_, form1Controls))
    , Picture_Akim(controls_->get<PictureBox>("Picture_Akim"))
    , Picture_basinc(controls_->get<PictureBox>("Picture_basinc"))
    , Text_Moo(controls_->get<QLineEdit>("Text_Moo"))
    , Text_HbL(controls_->get<QLineEdit>("Text_HbL"))
    , HScroll_Moo(controls_->get<ScrollBar>("HScroll_Moo"))
    , HScroll_HbL(controls_->get<ScrollBar>("HScroll_HbL"))
    , Command1(controls_->get<QPushButton>("Command1"))
    , Nm_About(new QAction(QStringLiteral("About"), this))
    , flow_(*Picture_Akim, *Picture_basinc)
    , guard_([this](const flow::RunTimeError& error) { reportError(error); })
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

    // Qt's own menu bar, so that "About" stays a top-level item of this window.
    menuBar()->setNativeMenuBar(false);
    Nm_About->setObjectName("Nm_About");
    Nm_About->setMenuRole(QAction::NoRole);
    menuBar()->addAction(Nm_About);

    resize(pixels(form1ClientWidth), pixels(form1ClientHeight) + menuBar()->sizeHint().height());
    setupAccessibility();
    Picture_Akim->setFocus();

    guard_.run([this] { Form_Load(); });
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    // A failed recalculation is described on the picture boxes; a bar also
    // stops repeating a held click, so that its error is reported once.
    auto stopped = [this](const flow::RunTimeError& error) { describeStoppedRecalculation(error); };
    auto barStopped = [this](ScrollBar* bar) {
        return [this, bar](const flow::RunTimeError& error) {
            bar->stopAutoRepeat();
            describeStoppedRecalculation(error);
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
    stage_ = Stage::ReadingInputs;
    const double HbL = readInput(Text_HbL);
    const double Moo = readInput(Text_Moo);
    flow_.setBeta(Moo);
    flow_.setH(HbL);
    recalculate(Moo, HbL);
}

void Form1::HScroll_HbL_Change()
{
    stage_ = Stage::ReadingInputs;
    const double HbL = HScroll_HbL->value() / 100.0;
    writeInput(Text_HbL, HbL);
    const double Moo = readInput(Text_Moo);
    flow_.setH(HbL);
    flow_.setBeta(Moo);
    recalculate(Moo, HbL);
}

void Form1::HScroll_Moo_Change()
{
    stage_ = Stage::ReadingInputs;
    const double Moo = HScroll_Moo->value() / 100.0;
    writeInput(Text_Moo, Moo);
    const double HbL = readInput(Text_HbL);
    flow_.setBeta(Moo);
    flow_.setH(HbL);
    recalculate(Moo, HbL);
}

void Form1::Nm_About_Click()
{
    FormAbout::instance().Show();
}

void Form1::recalculate(double Moo, double HbL)
{
    drawingMoo_ = Moo;
    drawingHbL_ = HbL;
    stage_ = Stage::Streamlines;
    flow_.akim_ciz();
    describePlot(Picture_Akim, drawnPlotDescription(Plot::Streamlines, Moo, HbL));
    stage_ = Stage::Pressure;
    flow_.basinc_ciz();
    describePlot(Picture_basinc, drawnPlotDescription(Plot::Pressure, Moo, HbL));
    stage_ = Stage::ReadingInputs;
}

double Form1::readInput(const QLineEdit* box) const
{
    return flow::Val(box->text().toUtf8().toStdString());
}

void Form1::writeInput(QLineEdit* box, double value)
{
    box->setText(QString::fromStdString(flow::numberToText(value)));
}

void Form1::setupAccessibility()
{
    for (const AccessibleText& text : form1AccessibleTexts) {
        auto* control = controls_->get<QWidget>(text.name);
        control->setAccessibleName(QString::fromUtf8(text.accessible));
        if (text.description)
            control->setAccessibleDescription(QString::fromUtf8(text.description));
    }
    // The labels above the text boxes name them.
    controls_->get<QLabel>("Label1")->setBuddy(Text_Moo);
    controls_->get<QLabel>("Label2")->setBuddy(Text_HbL);
    describePlot(Picture_Akim, blankPlotDescription());
    describePlot(Picture_basinc, blankPlotDescription());
}

void Form1::describePlot(PictureBox* box, const QString& shows)
{
    box->setProperty("shows", shows);
    box->setAccessibleDescription(shows);
}

void Form1::describeStoppedRecalculation(const flow::RunTimeError& error)
{
    auto unchanged = [&](PictureBox* box) {
        box->setAccessibleDescription(
            unchangedPlotDescription(box->property("shows").toString(), error));
    };
    switch (stage_) {
    case Stage::ReadingInputs:
        unchanged(Picture_Akim);
        unchanged(Picture_basinc);
        break;
    case Stage::Streamlines:
        describePlot(Picture_Akim,
                     stoppedPlotDescription(Plot::Streamlines, drawingMoo_, drawingHbL_, error));
        unchanged(Picture_basinc);
        break;
    case Stage::Pressure:
        describePlot(Picture_basinc,
                     stoppedPlotDescription(Plot::Pressure, drawingMoo_, drawingHbL_, error));
        break;
    }
    stage_ = Stage::ReadingInputs;
}

QString errorReportText(const flow::RunTimeError& error)
{
    return QStringLiteral("Run-time error %1: %2")
        .arg(error.code())
        .arg(QString::fromUtf8(error.kind()));
}

void Form1::reportError(const flow::RunTimeError& error)
{
    QMessageBox::critical(this, title(), errorReportText(error));
}

} // namespace ui

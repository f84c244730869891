#include "form1.h"

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
    Picture_Akim->setFocus();

    guard_.run([this] { Form_Load(); });
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this,
            [this] { guard_.run([this] { Command1_Click(); }); });
    connect(HScroll_HbL, &ScrollBar::changed, this, [this] {
        guard_.run([this] { HScroll_HbL_Change(); }, [this] { HScroll_HbL->stopAutoRepeat(); });
    });
    connect(HScroll_Moo, &ScrollBar::changed, this, [this] {
        guard_.run([this] { HScroll_Moo_Change(); }, [this] { HScroll_Moo->stopAutoRepeat(); });
    });
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
    recalculate();
}

void Form1::HScroll_HbL_Change()
{
    const double HbL = HScroll_HbL->value() / 100.0;
    writeInput(Text_HbL, HbL);
    const double Moo = readInput(Text_Moo);
    flow_.setH(HbL);
    flow_.setBeta(Moo);
    recalculate();
}

void Form1::HScroll_Moo_Change()
{
    const double Moo = HScroll_Moo->value() / 100.0;
    writeInput(Text_Moo, Moo);
    const double HbL = readInput(Text_HbL);
    flow_.setBeta(Moo);
    flow_.setH(HbL);
    recalculate();
}

void Form1::Nm_About_Click()
{
    FormAbout::instance().Show();
}

void Form1::recalculate()
{
    flow_.akim_ciz();
    flow_.basinc_ciz();
}

double Form1::readInput(const QLineEdit* box) const
{
    return flow::Val(box->text().toUtf8().toStdString());
}

void Form1::writeInput(QLineEdit* box, double value)
{
    box->setText(QString::fromStdString(flow::numberToText(value)));
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

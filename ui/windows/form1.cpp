#include "form1.h"

#include "controls.h"
#include "error_explanation.h"
#include "form1_table.h"
#include "form_about.h"
#include "handler_steps.h"
#include "label_fit.h"
#include "menu_bar.h"
#include "picture_box.h"
#include "plot_narration.h"
#include "scroll_bar.h"
#include "text_conversion.h"
#include "twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
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
        bar.setInputDivisor(flow::handler_steps::barDivisor);
    }
}

} // namespace

struct Form1::StepWindow {
    using Input = flow::handler_steps::Input;

    Form1& form;

    double read(Input input) const { return flow::Val(box(input)->text().toUtf8().toStdString()); }
    void write(Input input, double value) const
    {
        box(input)->setText(QString::fromStdString(flow::numberToText(value)));
    }
    int barValue(Input input) const
    {
        return (input == Input::Moo ? form.HScroll_Moo : form.HScroll_HbL)->value();
    }
    void drawingStarts(double Moo, double HbL) const { form.narration_->started(Moo, HbL); }
    void drawingFinished() const { form.narration_->finished(); }

    QLineEdit* box(Input input) const
    {
        return input == Input::Moo ? form.Text_Moo : form.Text_HbL;
    }
};

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
    , narration_(std::make_unique<PlotNarration>(*Picture_Akim, *Picture_basinc, flow_))
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
    auto stopped = [this](const flow::RunTimeError& error) { narration_->stopped(error); };
    auto barStopped = [this](ScrollBar* bar) {
        return [this, bar](const flow::RunTimeError& error) {
            bar->stopAutoRepeat();
            narration_->stopped(error);
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

void Form1::Command1_Click()
{
    StepWindow window{*this};
    flow::handler_steps::Command1_Click(window, flow_);
}

void Form1::HScroll_HbL_Change()
{
    StepWindow window{*this};
    flow::handler_steps::HScroll_HbL_Change(window, flow_);
}

void Form1::HScroll_Moo_Change()
{
    StepWindow window{*this};
    flow::handler_steps::HScroll_Moo_Change(window, flow_);
}

void Form1::Nm_About_Click()
{
    FormAbout::instance().Show();
}

void Form1::reportError(const flow::RunTimeError& error)
{
    const StoppedRecalculation where{Text_Moo->text(), Text_HbL->text(),
                                     narration_->lastStoppedPlot()};
    QMessageBox box(QMessageBox::Critical, title(), errorReport(error, where), QMessageBox::Ok,
                    this);
    // The report's text can be selected with the mouse, which gives its label
    // the focus of a click; Orca 51 reads of an alert only the labels that
    // take no focus (Orca 43 and 48 read any).
    if (auto* text = box.findChild<QLabel*>("qt_msgbox_label"))
        text->setFocusPolicy(Qt::NoFocus);
    box.exec();
}

} // namespace ui

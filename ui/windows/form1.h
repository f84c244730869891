#pragma once

// The main window. Its window half (this class) builds the controls from the
// window's table and makes the flow half with its two picture boxes as plot
// surfaces. Three handlers turn input into a recalculation; their steps
// (handler_steps.h) set Beta and H from the two inputs, then redraw the
// streamlines and the wall pressure. The text boxes hold the inputs between
// events: a scroll bar writes its own value into its text box and reads the
// other input from the other text box. Every handler runs under the event
// guard.

#include "event_guard.h"
#include "flow_half.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLineEdit;
class QPushButton;

namespace ui {

class Controls;
class PictureBox;
class PlotNarration;
class ScrollBar;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    /// Replaces the modal error report, for tests.
    void setErrorReport(EventGuard::Report report) { guard_.setReport(std::move(report)); }

    const flow::FlowHalf& flowHalf() const { return flow_; }

    static QString title();

private:
    void Form_Load() { flow_.Form_Load(); }
    void Command1_Click();
    void HScroll_HbL_Change();
    void HScroll_Moo_Change();
    void Nm_About_Click();

    /// The window as the handler steps see it: inputs in the controls.
    struct StepWindow;

    void connectHandlers();
    void reportError(const flow::RunTimeError& error);

    QWidget* client_;
    std::unique_ptr<Controls> controls_;
    PictureBox* Picture_Akim;
    PictureBox* Picture_basinc;
    QLineEdit* Text_Moo;
    QLineEdit* Text_HbL;
    ScrollBar* HScroll_Moo;
    ScrollBar* HScroll_HbL;
    QPushButton* Command1;
    QAction* Nm_About;

    flow::FlowHalf flow_;
    EventGuard guard_;
    std::unique_ptr<PlotNarration> narration_;
};

} // namespace ui

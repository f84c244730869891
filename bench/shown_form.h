#pragma once

// A main window as a user has it: shown (on the offscreen platform when
// benchmarking), with inputs typed into its text boxes and the calculate
// button clicked with a real mouse event.

#include "form1.h"
#include "picture_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <memory>

namespace bench {

class ShownForm {
public:
    ShownForm();

    /// Selects each text box's text and types the new input over it.
    void typeInputs(const QString& Moo, const QString& HbL);

    /// One left click on HESAPLA, pressed and released inside it.
    void clickHesapla();

    /// HESAPLA's clicked signal without a mouse: the button does not repaint
    /// itself pressed and released, so the recalculation is left on its own.
    void clickHesaplaWithoutMouse() { Command1->click(); }

    /// Both plots as the user sees them: drawing whatever is still queued.
    void takeImages()
    {
        Picture_Akim->renderedImage();
        Picture_basinc->renderedImage();
    }

    const ui::Form1& form() const { return *form_; }
    const QPushButton& hesapla() const { return *Command1; }
    int clicks() const { return clicks_; }
    int reportedErrors() const { return reportedErrors_; }

    ui::PictureBox* Picture_Akim;
    ui::PictureBox* Picture_basinc;

private:
    std::unique_ptr<ui::Form1> form_;
    QLineEdit* Text_Moo;
    QLineEdit* Text_HbL;
    QPushButton* Command1;
    int clicks_ = 0;
    int reportedErrors_ = 0;
};

} // namespace bench

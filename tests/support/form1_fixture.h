#pragma once

// A fresh main window as a user has it, shown (on the offscreen platform in
// the tests and benchmarks), with its error reports counted instead of shown
// (or shown, where a test looks at the report) and its controls at hand: one
// per test, one per benchmark.

#include "form1.h"
#include "form_about.h"
#include "picture_box.h"
#include "pixels.h"
#include "scroll_bar.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

struct Form1Fixture {
    std::unique_ptr<ui::Form1> form = std::make_unique<ui::Form1>();
    std::vector<int> reportedErrors;
    int clicks = 0; ///< how often HESAPLA emitted clicked

    ui::PictureBox* Picture_Akim = form->findChild<ui::PictureBox*>("Picture_Akim");
    ui::PictureBox* Picture_basinc = form->findChild<ui::PictureBox*>("Picture_basinc");
    QLineEdit* Text_Moo = form->findChild<QLineEdit*>("Text_Moo");
    QLineEdit* Text_HbL = form->findChild<QLineEdit*>("Text_HbL");
    ui::ScrollBar* HScroll_Moo = form->findChild<ui::ScrollBar*>("HScroll_Moo");
    ui::ScrollBar* HScroll_HbL = form->findChild<ui::ScrollBar*>("HScroll_HbL");
    QPushButton* Command1 = form->findChild<QPushButton*>("Command1");
    QAction* Nm_About = form->findChild<QAction*>("Nm_About");

    enum class Reports { Counted, Shown }; ///< into reportedErrors, or in the program's own box

    explicit Form1Fixture(Reports reports = Reports::Counted)
    {
        if (reports == Reports::Counted)
            form->setErrorReport(
                [this](const flow::RunTimeError& e) { reportedErrors.push_back(e.code()); });
        QObject::connect(Command1, &QPushButton::clicked, [this] { ++clicks; });
        form->show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(form.get()); }

    const flow::FlowHalf& values() const { return form->flowHalf(); }

    /// Replaces a text box's text as a user would: select all, type. Letters
    /// beyond ASCII arrive as key events carrying their text.
    static void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 0x80 && c != '\n')
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    /// One left click on HESAPLA, pressed and released inside it.
    void pressHesapla() { QTest::mouseClick(Command1, Qt::LeftButton); }

    /// Chooses About in the menu; the About window, if one is open.
    QWidget* openAbout()
    {
        Nm_About->trigger();
        return ui::FormAbout::instance().window();
    }

    /// Types the Mach number, and the ratio if given, then presses HESAPLA.
    void calculate(const QString& moo, const std::optional<QString>& hbl = {})
    {
        type(Text_Moo, moo);
        if (hbl)
            type(Text_HbL, *hbl);
        pressHesapla();
    }
};

/// What a screen reader or an AT-SPI client reaches a widget by.
inline QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

/// Where a part of a scroll bar lies, for real clicks on it.
inline QPoint centreOf(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

inline void clickArrow(QScrollBar* bar, QStyle::SubControl arrow)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, arrow));
}

namespace colours = flow::colours;

inline bool blank(ui::PictureBox* box)
{
    return onlyColour(box->renderedImage(), colours::lightYellow);
}

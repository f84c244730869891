#include "shown_form.h"

#include <QTest>

#include <stdexcept>

namespace bench {

namespace {

template <class Widget> Widget* child(const ui::Form1& form, const char* name)
{
    auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::runtime_error(std::string("the main window has no ") + name);
    return widget;
}

void typeOver(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    if (box->text() != text)
        throw std::runtime_error("typing into " + box->objectName().toStdString() + " gave \"" +
                                 box->text().toStdString() + "\"");
}

} // namespace

ShownForm::ShownForm()
    : form_(std::make_unique<ui::Form1>())
{
    Picture_Akim = child<ui::PictureBox>(*form_, "Picture_Akim");
    Picture_basinc = child<ui::PictureBox>(*form_, "Picture_basinc");
    Text_Moo = child<QLineEdit>(*form_, "Text_Moo");
    Text_HbL = child<QLineEdit>(*form_, "Text_HbL");
    Command1 = child<QPushButton>(*form_, "Command1");
    form_->setErrorReport([this](const flow::RunTimeError&) { ++reportedErrors_; });
    QObject::connect(Command1, &QPushButton::clicked, [this] { ++clicks_; });
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        throw std::runtime_error("the main window was never exposed");
}

void ShownForm::typeInputs(const QString& Moo, const QString& HbL)
{
    typeOver(Text_Moo, Moo);
    typeOver(Text_HbL, HbL);
}

void ShownForm::clickHesapla()
{
    QTest::mouseClick(Command1, Qt::LeftButton);
}

} // namespace bench

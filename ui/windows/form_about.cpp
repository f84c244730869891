#include "form_about.h"

#include "about_texts.h"
#include "label_fit.h"
#include "plot_surface.h"
#include "qt_colour.h"
#include "readable_colours.h"
#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QShortcut>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

namespace ui {

namespace {

constexpr flow::Colour background = flow::colours::lightYellow;
constexpr flow::Colour green = flow::rgb(0, 128, 0); // the title's three lines
constexpr flow::Colour blue = flow::colours::blue;

/// One line of the window. Places and sizes in twips; the font size as the
/// pixel height of its em at 96 dots per inch (9.75 and 8.25 points).
struct AboutLine {
    const char* name;
    const char* text;
    int left, top, width, height;
    std::optional<flow::Colour> colour; ///< none: the default text colour
    int fontPixels;
    bool endsSentence; ///< read aloud, a full stop follows the line
};

// clang-format off
const std::array aboutLines = {
    //        name      text                                    left  top   width height colour        font  sentence
    AboutLine{"Label2", "Program for Calculating",               600,  120, 2295, 255,   green,        13,   false},
    AboutLine{"Label3", "Linearized subsonic",                   720,  360, 2175, 255,   green,        13,   false},
    AboutLine{"Label1", " potential flows",                      960,  600, 1695, 255,   green,        13,   true},
    AboutLine{"Label7", WAVYWALL_ABOUT_CREDIT,                   600,  960, 2775, 255,   std::nullopt, 11,   true},
    AboutLine{"Label8", "July 2007",                            1200, 1200, 1095, 255,   std::nullopt, 11,   true},
    AboutLine{"Label4", "For comments and questions e-mail to",  120, 1440, 3375, 255,   std::nullopt, 11,   false},
    AboutLine{"Label5", WAVYWALL_ABOUT_CONTACT,                  840, 1680, 1935, 255,   blue,         11,   true},
};
// clang-format on

constexpr int clientWidth = 3600;
constexpr int clientHeight = 2040;

QFont aboutFont(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    return font;
}

// The window fixes its background, light yellow, so what it leaves to the
// toolkit takes the toolkit's light palette: on a dark desktop the default
// text colour would be light, and vanish on the yellow.
void paintBackground(QWidget* widget, std::optional<flow::Colour> text)
{
    QPalette palette = lightPalette();
    palette.setColor(QPalette::Window, toQColor(background));
    if (text)
        palette.setColor(QPalette::WindowText, toQColor(*text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

/// The window's text as a screen reader reads it when the window opens: the
/// three title lines as one sentence, then the credit, the date and the
/// request for comments with the address, as the table marks the sentences.
QString readAloud()
{
    QStringList words;
    for (const AboutLine& line : aboutLines)
        words << QString::fromUtf8(line.text).simplified() + (line.endsSentence ? "." : "");
    return words.join(QLatin1Char(' '));
}

QWidget* buildWindow()
{
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setObjectName("Form_About");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("About"));
    window->setFixedSize(pixels(clientWidth), pixels(clientHeight));
    window->setAccessibleDescription(readAloud());
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    paintBackground(window, std::nullopt);
    for (const AboutLine& line : aboutLines) {
        auto* label = new QLabel(QString::fromUtf8(line.text), window);
        label->setObjectName(QString::fromUtf8(line.name));
        label->setFont(aboutFont(line.fontPixels));
        label->setGeometry(pixelRect(line.left, line.top, line.width, line.height));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setFocusPolicy(Qt::NoFocus);
        paintBackground(label, line.colour);
        widenToFitText(label, window->width()); // a long credit line is cut at the edge
    }
    return window;
}

QPointer<FormAbout> reference;

} // namespace

FormAbout& FormAbout::instance()
{
    if (!reference)
        reference = new FormAbout(qApp); // lives as long as the application
    return *reference;
}

FormAbout::FormAbout(QObject* parent)
    : QObject(parent)
{
    setObjectName("Form_About_reference");
}

FormAbout::~FormAbout()
{
    delete window_;
}

void FormAbout::Show()
{
    if (!window_)
        window_ = buildWindow();
    if (window_->isMinimized())
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace ui

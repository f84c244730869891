#include "accessibility_bus_guard.h"
#include "app_icon.h"
#include "form1.h"
#include "toolkit_translations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wavywall"));
    QApplication::setDesktopFileName(QStringLiteral("wavywall"));
    QApplication::setWindowIcon(ui::applicationIcon()); // both windows show it
    app::installToolkitTranslations();                  // before any window makes its texts
    ui::AccessibilityBusGuard::install();               // before any accessibility client can call

    ui::Form1 form; // its load step runs before it is first shown
    form.show();
    return app.exec(); // ends when the last open window is closed
}

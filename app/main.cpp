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
    QApplication::setWindowIcon(app::applicationIcon()); // both windows show it
    app::installToolkitTranslations();                   // before any window makes its texts
    // Built a second time as wavywall_bridge_alone, without the guard, for
    // the test and the benchmark that compare the guard with the bridge alone.
#ifndef WAVYWALL_BRIDGE_ALONE
    app::AccessibilityBusGuard::install(); // before any accessibility client can call
#endif

    ui::Form1 form; // its load step runs before it is first shown
    form.show();
    return app.exec(); // ends when the last open window is closed
}

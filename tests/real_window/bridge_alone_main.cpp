// The program as it starts, but with the toolkit's accessibility bridge
// alone on the bus, without the program's guard in front of it: for the test
// that every call the bridge answers is answered the same through the guard.
// Not installed; the installed program always has its guard.

#include "app_icon.h"
#include "form1.h"
#include "toolkit_translations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wavywall"));
    QApplication::setDesktopFileName(QStringLiteral("wavywall"));
    QApplication::setWindowIcon(ui::applicationIcon());
    app::installToolkitTranslations();

    ui::Form1 form;
    form.show();
    return app.exec();
}

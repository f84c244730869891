#include "toolkit_translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTranslator>

namespace app {

QTranslator* installToolkitTranslations(const QLocale& locale, const QString& directory)
{
    // A right-to-left catalogue (Arabic, Hebrew, Persian) would mirror the
    // windows as well. Their controls sit at fixed places, and the wall and
    // the flow over it run left to right, so only the texts may change.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);

    auto* translator = new QTranslator(QCoreApplication::instance());
    // Tries qtbase_tr_TR.qm, then qtbase_tr.qm, for each of the user's
    // languages in turn.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), directory) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace app

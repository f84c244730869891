#pragma once

#include <QLibraryInfo>
#include <QLocale>
#include <QString>

class QTranslator;

namespace app {

/// Installs Qt's own translations (its qtbase catalogue) for the language of
/// `locale` in the running application, so that the texts the toolkit draws
/// itself, such as a scroll bar's or a text box's context menu and the
/// buttons of a message box, follow the user's language. The program's own
/// texts are not translated and stay as they are.
///
/// Returns the installed translator, owned by the application, or nullptr
/// when `directory` holds no catalogue for that language: the toolkit then
/// keeps its English texts.
QTranslator* installToolkitTranslations(
    const QLocale& locale = QLocale::system(),
    const QString& directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

} // namespace app

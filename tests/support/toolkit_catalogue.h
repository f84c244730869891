#pragma once

#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <optional>

/// What Qt's installed catalogue of its own texts (qtbase) says for a
/// language: the words a test expects where the program shows the toolkit's
/// texts, read from the system's catalogue rather than copied from one
/// release of it (Qt 6.4 and 6.8 word the same menus differently).
class ToolkitCatalogue {
public:
    explicit ToolkitCatalogue(const QLocale& locale)
    {
        loaded_ = translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }

    bool loaded() const { return loaded_; }

    /// The translation of `source` in `context`, without the '&' that marks
    /// an access key; none where the catalogue has no translation of it, so
    /// that an untranslated text is never expected in its English.
    std::optional<QString> text(const char* context, const char* source) const
    {
        QString translated = translator_.translate(context, source);
        if (translated.isEmpty())
            return std::nullopt;
        return translated.remove(QLatin1Char('&'));
    }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

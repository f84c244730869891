// Qt's own texts in the main window after the program's start-up loading of
// the toolkit's translations: Turkish for a Turkish user, English where Qt has
// no catalogue, and never a change to the program's own texts or layout. The
// scroll bars' context menus are read off the real window by
// desktop/tst_toolkit_texts.sh.

#include "form1_fixture.h"
#include "toolkit_catalogue.h"
#include "toolkit_translations.h"
#include "while_open.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTranslator>

#include <memory>

namespace {

const QLocale turkish(QLocale::Turkish, QLocale::Turkey);

/// The texts of a menu's items without separators, shortcuts and the '&'
/// that marks an item's access key.
QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        texts.append(text.remove(QLatin1Char('&')));
    }
    return texts;
}

QStringList textBoxMenu()
{
    const Form1Fixture f; // outlives the menu, which is its text box's child
    const std::unique_ptr<QMenu> menu(f.Text_Moo->createStandardContextMenu());
    return itemTexts(menu.get());
}

/// What the main window's error report shows for a supersonic Mach number:
/// its window title, its text and the texts of its buttons.
QStringList errorReport()
{
    Form1Fixture f(Form1Fixture::Reports::Shown);
    f.Text_Moo->setText(QStringLiteral("1.5"));
    QStringList shown;
    const auto read = [&](QMessageBox* box) {
        shown << box->windowTitle() << box->text();
        for (QAbstractButton* button : box->buttons())
            shown << button->text();
    };
    whileReportOpen([&] { f.Command1->click(); }, read);
    return shown;
}

} // namespace

class TestToolkitTranslations : public QObject {
    Q_OBJECT

    QTranslator* installed_ = nullptr;

    template <class... Directory> bool installed(const QLocale& locale, const Directory&... in)
    {
        installed_ = app::installToolkitTranslations(locale, in...);
        return installed_;
    }

private slots:
    void cleanup()
    {
        delete installed_; // uninstalls it
        installed_ = nullptr;
    }

    void turkishTextBoxMenu()
    {
        QVERIFY(installed(turkish));
        const ToolkitCatalogue catalogue(turkish);
        QVERIFY(catalogue.loaded());
        const QStringList texts = textBoxMenu();
        for (const char* source :
             {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}) {
            const std::optional<QString> expected = catalogue.text("QLineEdit", source);
            QVERIFY2(expected, source);
            QVERIFY2(texts.contains(*expected), qPrintable(*expected + " in " + texts.join('|')));
        }
        QVERIFY(!texts.contains(QStringLiteral("Copy")));
    }

    // The button is Qt's; the title and the report are the program's and
    // stay as they are in every language.
    void turkishErrorReportButton()
    {
        QVERIFY(installed(turkish));
        const QStringList texts = errorReport();
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0], ui::Form1::title());
        QVERIFY(texts[1].startsWith("Run-time error 5: invalid procedure call or argument\n\n"));
        const std::optional<QString> ok = ToolkitCatalogue(turkish).text("QPlatformTheme", "OK");
        QVERIFY(ok);
        QCOMPARE(texts[2], *ok);
        QVERIFY(texts[2] != QStringLiteral("OK"));
    }

    void programTextsStayInTurkishLocale()
    {
        QVERIFY(installed(turkish));
        const Form1Fixture f;
        QCOMPARE(f.form->windowTitle(), ui::Form1::title());
        QCOMPARE(f.Nm_About->text(), QStringLiteral("About"));
        QCOMPARE(f.Command1->text(), QStringLiteral("HESAPLA"));
    }

    // The C locale of a system without a language of its own: Qt has no
    // catalogue for it and keeps the texts it ships.
    void englishWithoutCatalogue()
    {
        QVERIFY(!installed(QLocale::c()));
        QCOMPARE(textBoxMenu().value(0), QStringLiteral("Undo"));
        QCOMPARE(errorReport().value(2), QStringLiteral("OK"));
    }

    void englishWhenTheCataloguesAreMissing()
    {
        const QTemporaryDir empty;
        QVERIFY(empty.isValid());
        QVERIFY(!installed(turkish, empty.path()));
        QCOMPARE(errorReport().value(2), QStringLiteral("OK"));
    }

    void translatorIsFoundInQtsOwnDirectory()
    {
        QVERIFY(installed(turkish));
        QCOMPARE(installed_->language(), QStringLiteral("tr_TR"));
        QVERIFY2(
            installed_->filePath().startsWith(QLibraryInfo::path(QLibraryInfo::TranslationsPath)),
            qPrintable(installed_->filePath()));
    }

    // Arabic turns Qt's texts right to left; the windows must not follow.
    void rightToLeftCatalogueKeepsTheLayout()
    {
        QVERIFY(installed(QLocale(QLocale::Arabic, QLocale::Egypt)));
        QCoreApplication::processEvents(); // delivers the language change
        QCOMPARE(QCoreApplication::translate("QGuiApplication", "QT_LAYOUT_DIRECTION"),
                 QStringLiteral("RTL"));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        ui::Form1 form;
        QCOMPARE(form.layoutDirection(), Qt::LeftToRight);
    }
};

QTEST_MAIN(TestToolkitTranslations)
#include "tst_toolkit_translations.moc"

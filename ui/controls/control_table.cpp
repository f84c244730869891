#include "control_table.h"

#include <QByteArrayView>
#include <QSet>

namespace ui {

QString tableMistake(const char* windowName, std::span<const ControlRow> rows)
{
    QSet<QByteArrayView> names;
    QSet<int> tabIndexes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        const QString where =
            QStringLiteral("%1, row %2 (%3): ")
                .arg(QString::fromUtf8(windowName))
                .arg(i + 1)
                .arg(row.name ? QString::fromUtf8(row.name) : QStringLiteral("?"));
        if (!row.name || !*row.name)
            return where + QStringLiteral("the control has no name");
        if (names.contains(row.name) || QByteArrayView(row.name) == windowName)
            return where + QStringLiteral("the name is used twice");
        if (!row.container ||
            (QByteArrayView(row.container) != windowName && !names.contains(row.container)))
            return where + QStringLiteral("the container \"%1\" is neither the window nor an "
                                          "earlier row")
                               .arg(QString::fromUtf8(row.container ? row.container : ""));
        if (row.tabIndex >= 0 && tabIndexes.contains(row.tabIndex))
            return where + QStringLiteral("the tab index %1 is used twice").arg(row.tabIndex);
        names.insert(row.name);
        tabIndexes.insert(row.tabIndex);
    }
    return {};
}

} // namespace ui

#pragma once

#include <QAccessible>
#include <QString>

namespace ui {

/// Makes screen readers see every widget of class Widget through Interface,
/// made from the widget. The factory is installed on the first call only.
template <class Widget, class Interface> void installAccessibleInterface()
{
    static const bool installed =
        (QAccessible::installFactory([](const QString& className, QObject* object) {
             return className == QLatin1String(Widget::staticMetaObject.className())
                        ? static_cast<QAccessibleInterface*>(
                              new Interface(static_cast<Widget*>(object)))
                        : nullptr;
         }),
         true);
    Q_UNUSED(installed);
}

} // namespace ui

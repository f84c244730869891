#include "announcer.h"

#include "accessible_factory.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

class AccessibleNotification : public QAccessibleWidget {
public:
    explicit AccessibleNotification(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(object())->text();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

Announcer::Announcer(QWidget* parent)
    : QLabel(parent)
{
    installAccessibleInterface<Announcer, AccessibleNotification>();
    setObjectName("Announcer");
    setGeometry(0, 0, 0, 0);
    hide();
}

// A notification is spoken when it appears: shown again, it is spoken again,
// also with the same sentence.
void Announcer::announce(const QString& sentence)
{
    hide();
    setText(sentence);
    show();
}

} // namespace ui

#include "announcer.h"

#include "toolkit_version.h"

#include <QAccessible>

// Before Qt 6.8 a sentence is a notification's, and only then are the
// notification's classes made.
#if WAVYWALL_TOOLKIT_ANNOUNCES
#include <QAccessibleAnnouncementEvent>
#include <QWidget>
#else
#include "accessible_factory.h"

#include <QAccessibleWidget>
#include <QLabel>
#endif

namespace ui {

#if WAVYWALL_TOOLKIT_ANNOUNCES

void announce(QWidget& window, const QString& sentence)
{
    QAccessibleAnnouncementEvent event(&window, sentence); // polite
    QAccessible::updateAccessibility(&event);
}

#else

namespace {

class Notification : public QLabel {
    Q_OBJECT

public:
    explicit Notification(QWidget* parent)
        : QLabel(parent)
    {}
};

class AccessibleNotification : public QAccessibleWidget {
public:
    explicit AccessibleNotification(Notification* notification)
        : QAccessibleWidget(notification, QAccessible::Notification)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel*>(object())->text();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

// A notification is spoken when it appears: shown again, it is spoken again,
// also with the same sentence.
void announce(QWidget& window, const QString& sentence)
{
    auto* notification =
        window.findChild<Notification*>(QStringLiteral("Announcer"), Qt::FindDirectChildrenOnly);
    if (!notification) {
        installAccessibleInterface<Notification, AccessibleNotification>();
        notification = new Notification(&window);
        notification->setObjectName(QStringLiteral("Announcer"));
        notification->setGeometry(0, 0, 0, 0);
    }
    notification->hide();
    notification->setText(sentence);
    notification->show();
}

#endif

} // namespace ui

#if !WAVYWALL_TOOLKIT_ANNOUNCES
#include "announcer.moc"
#endif

#include "listening_screen_reader.h"

#include "toolkit_version.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#if WAVYWALL_TOOLKIT_ANNOUNCES
#include <QAccessibleAnnouncementEvent>
#endif

#include <stdexcept>

namespace {

long eventCount = 0;
long readCount = 0;
std::vector<Utterance> spoken;
bool wasActive = false;
QAccessible::UpdateHandler previousHandler = nullptr;

QPlatformAccessibility& platformAccessibility()
{
    QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
    QPlatformAccessibility* accessibility = integration ? integration->accessibility() : nullptr;
    if (!accessibility)
        throw std::runtime_error("the platform has no accessibility");
    return *accessibility;
}

void listen(QAccessibleEvent* event)
{
    ++eventCount;
#if WAVYWALL_TOOLKIT_ANNOUNCES
    if (event->type() == QAccessible::Announcement) {
        const auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
        spoken.push_back(
            {announcement->message(),
             announcement->politeness() == QAccessible::AnnouncementPoliteness::Assertive});
        return;
    }
#endif
    QAccessibleInterface* changed = event->accessibleInterface();
    if (!changed)
        return;
    // A screen reader fetches the changed text to speak it; counting what
    // was read keeps the fetching from being optimised away.
    if (event->type() == QAccessible::DescriptionChanged)
        readCount += changed->text(QAccessible::Description).isEmpty() ? 0 : 1;
    else if (event->type() == QAccessible::NameChanged || event->type() == QAccessible::ObjectShow)
        readCount += changed->text(QAccessible::Name).isEmpty() ? 0 : 1;
    if (event->type() == QAccessible::ObjectShow && changed->role() == QAccessible::Notification)
        spoken.push_back({changed->text(QAccessible::Name), false});
}

} // namespace

ListeningScreenReader::ListeningScreenReader()
{
    QPlatformAccessibility& accessibility = platformAccessibility();
    wasActive = accessibility.isActive();
    spoken.clear();
    previousHandler = QAccessible::installUpdateHandler(listen);
    accessibility.setActive(true); // tells QAccessible's observers too
    if (!QAccessible::isActive())
        throw std::runtime_error("assistive technology could not be made active");
}

ListeningScreenReader::~ListeningScreenReader()
{
    platformAccessibility().setActive(wasActive);
    QAccessible::installUpdateHandler(previousHandler);
}

long ListeningScreenReader::eventsHeard() const
{
    return eventCount;
}

long ListeningScreenReader::textsRead() const
{
    return readCount;
}

const std::vector<Utterance>& ListeningScreenReader::utterances() const
{
    return spoken;
}

#include "listening_screen_reader.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <stdexcept>

namespace bench {

namespace {

long heard = 0;
long read = 0;
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
    ++heard;
    QAccessibleInterface* changed = event->accessibleInterface();
    if (!changed)
        return;
    // A screen reader fetches the changed text to speak it; counting what
    // was read keeps the fetching from being optimised away.
    if (event->type() == QAccessible::DescriptionChanged)
        read += changed->text(QAccessible::Description).isEmpty() ? 0 : 1;
    else if (event->type() == QAccessible::NameChanged || event->type() == QAccessible::ObjectShow)
        read += changed->text(QAccessible::Name).isEmpty() ? 0 : 1;
}

} // namespace

ListeningScreenReader::ListeningScreenReader()
{
    QPlatformAccessibility& accessibility = platformAccessibility();
    wasActive = accessibility.isActive();
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
    return heard;
}

long ListeningScreenReader::textsRead() const
{
    return read;
}

} // namespace bench

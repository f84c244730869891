#pragma once

// What the program does differently on a newer Qt, decided here and nowhere
// else. Debian 12 has Qt 6.4, Debian 13 Qt 6.8.

#include <QtGlobal>

/// From Qt 6.8 on, the toolkit sends a sentence to screen readers itself
/// (QAccessibleAnnouncementEvent, AT-SPI's Announcement signal, which Orca
/// speaks from version 46 on). Before it a sentence is spoken by showing an
/// invisible notification, the one way Orca 43 hears one.
#define WAVYWALL_TOOLKIT_ANNOUNCES (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))

namespace ui {

inline constexpr bool toolkitAnnounces = WAVYWALL_TOOLKIT_ANNOUNCES;

} // namespace ui

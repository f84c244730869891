#pragma once

#include <QString>

class QWidget;

namespace ui {

/// Says a sentence to a screen reader without moving the keyboard focus, on
/// behalf of `window`, after whatever it is saying. From Qt 6.8 on through
/// the toolkit's polite announcement; before it through an invisible
/// notification (a 0×0 label named "Announcer", made in `window` when first
/// needed, that is shown with the sentence as its text), which Orca 43 speaks
/// as it appears, and Orca 48 as "notification" followed by the sentence.
/// Callers announce only while QAccessible::isActive(), so nothing is done
/// while no one listens.
///
/// Errors and the About window need no announcement: a screen reader reads
/// the error report as the alert it is, and the About window's description
/// as the window opens, on either Qt.
void announce(QWidget& window, const QString& sentence);

} // namespace ui

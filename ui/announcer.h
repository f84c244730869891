#pragma once

#include <QString>

class QWidget;

namespace ui {

/// How soon a screen reader should speak a sentence: after what it is saying
/// (a result), or at once, cutting it short (an error).
enum class Urgency { Polite, Assertive };

/// Says a sentence to a screen reader without moving the keyboard focus,
/// on behalf of `window`. From Qt 6.8 on through the toolkit's announcement,
/// with the urgency given; before it through an invisible notification
/// (a 0×0 label named "Announcer", made in `window` when first needed, that
/// is shown with the sentence as its text), which Orca speaks as it appears
/// and which knows no urgency. Callers announce only while
/// QAccessible::isActive(), so nothing is done while no one listens.
void announce(QWidget& window, const QString& sentence, Urgency urgency = Urgency::Polite);

} // namespace ui

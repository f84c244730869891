#pragma once

#include <QString>

#include <vector>

// Assistive technology listening, while an object of this class lives. Qt
// sends accessibility events only while its platform says that assistive
// technology is active, and on the offscreen platform nothing ever says so:
// QAccessible::setActive alone tells Qt's observers but leaves
// QAccessible::isActive() false. So the platform's own switch is thrown, and
// a listener takes every event and reads, as a screen reader does, the text
// that the event says has changed.

/// What a screen reader speaks without being asked: an announcement (Qt 6.8
/// on) or a notification that appears (before it).
struct Utterance {
    QString text;
    bool assertive = false; ///< cuts short what is being said
    friend bool operator==(const Utterance&, const Utterance&) = default;
};

class ListeningScreenReader {
public:
    ListeningScreenReader();
    ~ListeningScreenReader();
    ListeningScreenReader(const ListeningScreenReader&) = delete;
    ListeningScreenReader& operator=(const ListeningScreenReader&) = delete;

    /// Accessibility events heard, and descriptions and names read, so far.
    long eventsHeard() const;
    long textsRead() const;

    /// Everything spoken unasked since this listener began, in order.
    const std::vector<Utterance>& utterances() const;
};

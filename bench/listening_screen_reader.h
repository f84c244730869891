#pragma once

// Assistive technology listening, while an object of this class lives. Qt
// sends accessibility events only while its platform says that assistive
// technology is active, and on the offscreen platform nothing ever says so:
// QAccessible::setActive alone tells Qt's observers but leaves
// QAccessible::isActive() false. So the platform's own switch is thrown, and
// a listener takes every event and reads, as a screen reader does, the text
// that the event says has changed.

namespace bench {

class ListeningScreenReader {
public:
    ListeningScreenReader();
    ~ListeningScreenReader();
    ListeningScreenReader(const ListeningScreenReader&) = delete;
    ListeningScreenReader& operator=(const ListeningScreenReader&) = delete;

    /// Accessibility events heard, and descriptions and names read, so far.
    long eventsHeard() const;
    long textsRead() const;
};

} // namespace bench

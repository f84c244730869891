#pragma once

#include <QLabel>

namespace ui {

/// Says a sentence to a screen reader without moving the keyboard focus: an
/// invisible notification that is shown with the sentence as its text, which
/// screen readers speak when a notification appears. It takes no room and
/// paints nothing.
class Announcer : public QLabel {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& sentence);
};

} // namespace ui

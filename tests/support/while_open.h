#pragma once

// A modal window (an error report) looked at while it waits for its user.

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

/// Runs `open`, which shows a modal window and waits in it; hands the window
/// to `look` from inside its event loop, then closes it.
inline void whileOpen(const std::function<void()>& open, const std::function<void(QWidget*)>& look)
{
    bool looked = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* opened = QApplication::activeModalWidget()) {
            look(opened);
            looked = true;
            opened->close();
        }
    });
    open();
    QVERIFY2(looked, "nothing opened");
}

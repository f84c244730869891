#pragma once

// An error report looked at while it waits for its user.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

/// Runs `open`, which shows a modal error report and waits in it; hands the
/// report to `look` from inside its event loop, then closes it.
inline void whileReportOpen(const std::function<void()>& open,
                            const std::function<void(QMessageBox*)>& look)
{
    bool looked = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* opened = QApplication::activeModalWidget()) {
            if (auto* report = qobject_cast<QMessageBox*>(opened)) {
                look(report);
                looked = true;
            }
            opened->close();
        }
    });
    open();
    QVERIFY2(looked, "no error report opened");
}

#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace ui {

/// The About window: seven fixed lines on light yellow. The program holds one
/// such object for its whole run, made on first use. Its window is built when
/// it is shown and is not open, and discarded when the user closes it, so it
/// always opens at the window system's default place, without an owner: it
/// stays open when the main window closes.
class FormAbout : public QObject {
    Q_OBJECT

public:
    /// The program-wide reference, made on first use.
    static FormAbout& instance();

    /// Shows the window modeless, building it first if it is not open, and
    /// brings it to the front.
    void Show();

    /// The open window, or nullptr when it is closed or was never shown.
    QWidget* window() const { return window_; }

private:
    explicit FormAbout(QObject* parent);
    ~FormAbout() override;

    QPointer<QWidget> window_;
};

} // namespace ui

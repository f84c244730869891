#pragma once

#include "run_time_error.h"

#include <functional>

namespace ui {

/// Every event handler of the program runs under the guard: a run-time error
/// that leaves a handler stops there, is reported to the user, and goes no
/// further, so no exception ever crosses Qt's event loop. The program keeps
/// running afterwards; what the handler did before the error stays done.
///
/// The report is modal for every source of events, not only for the keyboard
/// and the mouse: while it is open, a handler the report's own event loop
/// would run (a press or a value set by an accessibility client, an event
/// queued before the report opened) does not run, so that at most one report
/// is ever open. Once it closes, every handler runs again.
class EventGuard {
public:
    using Report = std::function<void(const flow::RunTimeError&)>;

    explicit EventGuard(Report report)
        : report_(std::move(report))
    {}

    void setReport(Report report) { report_ = std::move(report); }

    using Aftermath = std::function<void(const flow::RunTimeError&)>;

    /// Whether an error report is open now.
    bool reporting() const { return reporting_; }

    /// Runs handler, unless an error report is open. On a run-time error,
    /// runs aftermath (to quiet the control that raised the event and record
    /// what was left undone) and then reports the error.
    template <class Handler> void run(Handler&& handler, const Aftermath& aftermath = {}) noexcept
    {
        if (reporting_)
            return;
        try {
            handler();
        } catch (const flow::RunTimeError& error) {
            if (aftermath)
                aftermath(error);
            reporting_ = true;
            report_(error);
            reporting_ = false;
        }
    }

private:
    Report report_;
    bool reporting_ = false;
};

} // namespace ui

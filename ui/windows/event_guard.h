#pragma once

#include "run_time_error.h"

#include <functional>

namespace ui {

/// Every event handler of the program runs under the guard: a run-time error
/// that leaves a handler stops there, is reported to the user, and goes no
/// further, so no exception ever crosses Qt's event loop. The program keeps
/// running afterwards; what the handler did before the error stays done.
class EventGuard {
public:
    using Report = std::function<void(const flow::RunTimeError&)>;

    explicit EventGuard(Report report)
        : report_(std::move(report))
    {}

    void setReport(Report report) { report_ = std::move(report); }

    using Aftermath = std::function<void(const flow::RunTimeError&)>;

    /// Runs handler. On a run-time error, runs aftermath (to quiet the
    /// control that raised the event and record what was left undone) and
    /// then reports the error.
    template <class Handler> void run(Handler&& handler, const Aftermath& aftermath = {}) noexcept
    {
        try {
            handler();
        } catch (const flow::RunTimeError& error) {
            if (aftermath)
                aftermath(error);
            report_(error);
        }
    }

private:
    Report report_;
};

} // namespace ui

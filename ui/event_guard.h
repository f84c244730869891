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

    /// Runs handler. On a run-time error, runs beforeReport (to quiet the
    /// control that raised the event) and then reports the error.
    template <class Handler>
    void run(Handler&& handler, const std::function<void()>& beforeReport = {}) noexcept
    {
        try {
            handler();
        } catch (const flow::RunTimeError& error) {
            if (beforeReport)
                beforeReport();
            report_(error);
        }
    }

private:
    Report report_;
};

} // namespace ui

#pragma once

#include "plot_descriptions.h"
#include "run_time_error.h"

#include <QString>

#include <optional>

namespace ui {

/// What the user had in the window when a recalculation stopped.
struct StoppedRecalculation {
    QString mooText, hblText; ///< the two text boxes, as the handler left them
    std::optional<Plot> plot; ///< the plot being drawn, if drawing had begun
};

/// The text of the error report, the message box a failed handler shows: the
/// error's own text "Run-time error N: kind", then one Turkish sentence saying,
/// in terms of the inputs, what went wrong and which range works.
QString errorReport(const flow::RunTimeError& error, const StoppedRecalculation& where);

} // namespace ui

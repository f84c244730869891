#pragma once

// A recalculation as the calculate button makes it, on recording surfaces.

#include "flow_half.h"
#include "recording_surface.h"
#include "run_time_error.h"

#include <memory>
#include <optional>

struct RecordedRecalculation {
    flow::RecordingSurface akim;
    flow::RecordingSurface basinc;
    flow::FlowHalf form{akim, basinc};
    std::optional<flow::RunTimeError> error;

    std::size_t errorCode() const { return error ? error->code() : 0; }
};

/// Sets Beta and H in the button's order and draws both plots; a run-time
/// error stops it where it arises and is kept.
inline std::unique_ptr<RecordedRecalculation> recalculate(double Moo, double HbL)
{
    auto r = std::make_unique<RecordedRecalculation>();
    r->form.Form_Load();
    try {
        r->form.setBeta(Moo);
        r->form.setH(HbL);
        r->form.akim_ciz();
        r->form.basinc_ciz();
    } catch (const flow::RunTimeError& e) {
        r->error = e;
    }
    return r;
}

/// The Line calls of a recording, in order.
inline std::vector<flow::SurfaceCall> linesOf(const flow::RecordingSurface& surface)
{
    std::vector<flow::SurfaceCall> lines;
    for (const auto& call : surface.calls)
        if (call.kind == flow::SurfaceCall::Kind::Line)
            lines.push_back(call);
    return lines;
}

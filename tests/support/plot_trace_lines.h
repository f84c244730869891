#pragma once

// What plot_trace prints for a click of the calculate button: a
// "surface NAME" line before each plot's calls, one line a call with every
// coordinate written to the nine digits that identify a float, and an
// "error N kind" line when a run-time error ended the click.

#include "handler_replay.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace plot_trace {

template <class... Args> std::string printed(const char* format, Args... args)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

inline std::string callLine(const flow::SurfaceCall& call)
{
    const auto& c = call.coordinates;
    switch (call.kind) {
    case flow::SurfaceCall::Kind::Cls:
        return "Cls";
    case flow::SurfaceCall::Kind::Scale:
        return printed("Scale %.9g %.9g %.9g %.9g", double(c[0]), double(c[1]), double(c[2]),
                       double(c[3]));
    case flow::SurfaceCall::Kind::Line:
        break;
    }
    return printed("Line %.9g %.9g %.9g %.9g %06X", double(c[0]), double(c[1]), double(c[2]),
                   double(c[3]), unsigned(call.colour));
}

/// The lines for a click with these texts in the two boxes.
inline std::vector<std::string> clickLines(std::string_view mooText, std::string_view hblText)
{
    HandlerReplay click;
    click.button(mooText, hblText);
    std::vector<std::string> lines;
    for (const auto& [name, surface] :
         {std::pair{"Picture_Akim", &click.akim}, std::pair{"Picture_basinc", &click.basinc}}) {
        lines.push_back(std::string("surface ") + name);
        for (const flow::SurfaceCall& call : surface->calls)
            lines.push_back(callLine(call));
    }
    if (click.error)
        lines.push_back(printed("error %d %s", click.error->code(), click.error->kind()));
    return lines;
}

} // namespace plot_trace

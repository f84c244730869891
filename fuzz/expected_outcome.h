#pragma once

// How a recalculation must end, worked out from the two numbers the texts read
// as, without drawing anything: which error, if any, and how many Line calls
// each plot has made by then.

#include "plot_shape.h"
#include "run_time_error.h"
#include "text_conversion.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <string_view>
#include <vector>

namespace fuzz {

struct Outcome {
    int error = 0; ///< 0 when the recalculation completes
    std::size_t streamlineLines = 0;
    std::size_t pressureLines = 0;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

using plot_shape::frameLines, plot_shape::segmentsPerCurve, plot_shape::streamlineLines,
    plot_shape::pressureLines;

constexpr int invalidArgument = static_cast<int>(flow::ErrorNumber::InvalidArgument);
constexpr int overflow = static_cast<int>(flow::ErrorNumber::Overflow);
constexpr int divisionByZero = static_cast<int>(flow::ErrorNumber::DivisionByZero);

constexpr Outcome complete{0, streamlineLines, pressureLines};
constexpr Outcome overflowBeforeDrawing{overflow, 0, 0};
constexpr Outcome supersonic{invalidArgument, 0, 0};
constexpr Outcome wallBeyondFloat{overflow, frameLines, 0};
constexpr Outcome streamlineBeyondFloat{overflow, frameLines + segmentsPerCurve, 0};
constexpr Outcome pressureBeyondFloat{overflow, streamlineLines, frameLines};
constexpr Outcome pressureDividedByZero{divisionByZero, streamlineLines, frameLines};

/// Where a computed magnitude lies against the largest float. Our estimate and
/// the program's own arithmetic round differently, so a value within a
/// relative 1e-12 of the limit may fall on either side.
enum class Side { below, near, beyond };

inline Side sideOfFloatRange(double magnitude)
{
    constexpr double margin = 1e-12;
    if (magnitude > double(FLT_MAX) * (1.0 + margin))
        return Side::beyond;
    if (magnitude < double(FLT_MAX) * (1.0 - margin))
        return Side::below;
    return Side::near;
}

/// The outcomes a recalculation may end with for these texts; two only when
/// a plotted value lies within rounding of the largest float.
inline std::vector<Outcome> expectedOutcomes(std::string_view mooText, std::string_view hblText)
{
    double HbL = 0.0;
    double Moo = 0.0;
    try {
        HbL = flow::Val(hblText);
        Moo = flow::Val(mooText);
    } catch (const flow::RunTimeError&) {
        return {overflowBeforeDrawing};
    }

    const double mooSquared = Moo * Moo;
    if (!std::isfinite(mooSquared))
        return {overflowBeforeDrawing};
    if (mooSquared > 1.0)
        return {supersonic};

    // The wall's crest, |H| at x = 0, is its largest height.
    const double crest = std::fabs(HbL);
    if (crest > double(FLT_MAX))
        return {wallBeyondFloat};

    // The red streamline nearest the wall, y0 = 0.5 with displacements
    // magnified 8 times, rises highest of all streamlines at x = 0.
    const double beta = std::sqrt(1.0 - mooSquared);
    const Side streamline = sideOfFloatRange(8.0 * crest * std::exp(-beta * std::numbers::pi));
    if (streamline == Side::beyond)
        return {streamlineBeyondFloat};
    std::vector<Outcome> outcomes;
    if (streamline == Side::near)
        outcomes.push_back(streamlineBeyondFloat);
    if (std::fabs(Moo) == 1.0) {
        outcomes.push_back(pressureDividedByZero);
        return outcomes;
    }
    // The red pressure curve, 4 pi H / Beta^2 at x = 0, is the steepest value.
    const Side pressure = sideOfFloatRange(4.0 * std::numbers::pi * crest / (beta * beta));
    if (pressure != Side::below)
        outcomes.push_back(pressureBeyondFloat);
    if (pressure != Side::beyond)
        outcomes.push_back(complete);
    return outcomes;
}

} // namespace fuzz

// A recalculation from arbitrary typed texts, as a click of the calculate
// button makes it: the input up to its first NUL byte is the Mach number's
// text, the rest the H/L text. Both plots are recorded and the run must end
// as the two numbers say it must: completely drawn, or with the error 5, 6 or
// 11 raised at the one place where it arises. Any other ending traps.

#include "drawing_checks.h"
#include "expected_outcome.h"
#include "handler_replay.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using ButtonClick = HandlerReplay<>;

/// What a click leaves in the flow values: the inputs it read are finite,
/// Beta lies in [0, 1] and is 0 exactly when |Moo| = 1, H = H/L for a
/// wavelength of 1; a Beta that could not be set is left as it was (0).
void checkValues(const ButtonClick& click)
{
    using fuzz::require;
    const auto [Moo, HbL] = click.read;
    for (const auto& value : {Moo, HbL})
        require(!value || std::isfinite(*value), "Val returns a finite number");
    const flow::FlowHalf& form = click.flow;
    // In the button's order nothing can fail between setting Beta and drawing.
    const bool betaSet = Moo && !(click.errorCode() != 0 && click.akim.calls.empty());
    require(form.Beta() >= 0.0 && form.Beta() <= 1.0, "Beta lies in [0, 1]");
    require(click.errorCode() != fuzz::divisionByZero || form.Beta() == 0.0,
            "a division by zero arises only for Beta = 0");
    if (!betaSet) {
        require(form.Beta() == 0.0, "a failed setBeta leaves Beta as it was");
        return;
    }
    require((form.Beta() == 0.0) == (std::fabs(*Moo) == 1.0), "Beta is 0 exactly when |Moo| = 1");
    if (!click.akim.calls.empty())
        require(form.H() == *HbL, "H = H/L for a wavelength of 1");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = std::min(input.find('\0'), size);
    const std::string_view moo = input.substr(0, nul), hbl = input.substr(std::min(nul + 1, size));
    ButtonClick r;
    r.button(moo, hbl);
    const fuzz::Outcome outcome{r.errorCode(), r.akim.lineCount(), r.basinc.lineCount()};
    checkValues(r);
    fuzz::checkRecording(r.akim, fuzz::streamlineCurves(), fuzz::streamlineLines,
                         plot_shape::streamlineFrame());
    fuzz::checkRecording(r.basinc, fuzz::pressureCurves(), fuzz::pressureLines,
                         plot_shape::pressureFrame());

    // Only the program's own endings are ever expected, so none other passes.
    const auto expected = fuzz::expectedOutcomes(moo, hbl);
    fuzz::require(std::find(expected.begin(), expected.end(), outcome) != expected.end(),
                  "the recalculation ends where its numbers say it must");
    return 0;
}

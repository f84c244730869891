#pragma once

#include <stdexcept>
#include <string>

namespace flow {

/// The three ways a calculation can fail. The numbers are the ones the user
/// sees in the error report.
enum class ErrorNumber : int {
    InvalidArgument = 5, ///< square root of a negative number
    Overflow = 6,        ///< a result beyond the double range, or a coordinate beyond float
    DivisionByZero = 11, ///< a division by zero
};

/// The kind of an error as it is reported: "invalid procedure call or
/// argument", "overflow" or "division by zero".
const char* errorKind(ErrorNumber number);

/// Raised where an arithmetic failure arises and carried up, uncaught, to the
/// event guard at the edge of the running handler. Never an infinity or a NaN
/// is carried on instead.
class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(ErrorNumber number);

    ErrorNumber number() const noexcept { return number_; }
    int code() const noexcept { return static_cast<int>(number_); }
    const char* kind() const noexcept { return errorKind(number_); }

private:
    ErrorNumber number_;
};

} // namespace flow

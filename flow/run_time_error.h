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

/// Where in a calculation an error arose: in which kind of operation. The
/// error report explains the error to the user by it.
enum class ErrorOrigin {
    Arithmetic,           ///< a sum, difference, product, quotient or exponential
    SquareRoot,           ///< the square root of a negative number
    Squaring,             ///< a number raised to the power 2
    ReadingText,          ///< a typed number beyond the double range
    CoordinateConversion, ///< a coordinate beyond the float range, at a drawing call
};

/// Raised where an arithmetic failure arises and carried up, uncaught, to the
/// event guard at the edge of the running handler. Never an infinity or a NaN
/// is carried on instead.
class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(ErrorNumber number, ErrorOrigin origin = ErrorOrigin::Arithmetic);

    ErrorNumber number() const noexcept { return number_; }
    ErrorOrigin origin() const noexcept { return origin_; }
    int code() const noexcept { return static_cast<int>(number_); }
    const char* kind() const noexcept { return errorKind(number_); }

private:
    ErrorNumber number_;
    ErrorOrigin origin_;
};

} // namespace flow

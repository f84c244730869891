#include "run_time_error.h"

namespace flow {

const char* errorKind(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::InvalidArgument:
        return "invalid procedure call or argument";
    case ErrorNumber::Overflow:
        return "overflow";
    case ErrorNumber::DivisionByZero:
        return "division by zero";
    }
    return "unknown error";
}

RunTimeError::RunTimeError(ErrorNumber number, ErrorOrigin origin)
    : std::runtime_error("Run-time error " + std::to_string(static_cast<int>(number)) + ": " +
                         errorKind(number))
    , number_(number)
    , origin_(origin)
{}

} // namespace flow

#pragma once

#include "run_time_error.h"

#include <cfloat>
#include <cmath>

namespace flow {

/// A double whose arithmetic raises a RunTimeError at the failing operation
/// instead of carrying an infinity or a NaN on: a result beyond the double
/// range is an overflow, a division by zero is a division by zero, the square
/// root of a negative number an invalid argument. Each operator is exactly one
/// IEEE operation rounded to nearest, so an expression keeps the grouping its
/// parentheses show.
class Real {
public:
    constexpr Real(double value = 0.0)
        : value_(value)
    {}

    constexpr double value() const { return value_; }

    friend Real operator+(Real a, Real b) { return finite(a.value_ + b.value_); }
    friend Real operator-(Real a, Real b) { return finite(a.value_ - b.value_); }
    friend Real operator*(Real a, Real b) { return finite(a.value_ * b.value_); }
    friend Real operator/(Real a, Real b)
    {
        if (b.value_ == 0.0)
            throw RunTimeError(ErrorNumber::DivisionByZero);
        return finite(a.value_ / b.value_);
    }
    friend constexpr Real operator-(Real a) { return Real(-a.value_); }

private:
    static Real finite(double result)
    {
        if (!std::isfinite(result))
            throw RunTimeError(ErrorNumber::Overflow);
        return Real(result);
    }

    double value_;
};

/// x raised to the power 2. x * x is the correctly rounded square.
inline Real squared(Real x)
{
    const double square = x.value() * x.value();
    if (!std::isfinite(square))
        throw RunTimeError(ErrorNumber::Overflow, ErrorOrigin::Squaring);
    return Real(square);
}

inline Real sqrt(Real x)
{
    if (x.value() < 0.0)
        throw RunTimeError(ErrorNumber::InvalidArgument, ErrorOrigin::SquareRoot);
    return Real(std::sqrt(x.value()));
}

inline Real exp(Real x)
{
    const double result = std::exp(x.value());
    if (std::isinf(result))
        throw RunTimeError(ErrorNumber::Overflow);
    return Real(result);
}
inline Real cos(Real x)
{
    return Real(std::cos(x.value()));
}

/// The conversion of a coordinate to single precision at a drawing call: a
/// value whose magnitude exceeds the largest float is an overflow.
inline float toSingle(Real x)
{
    if (std::fabs(x.value()) > FLT_MAX)
        throw RunTimeError(ErrorNumber::Overflow, ErrorOrigin::CoordinateConversion);
    return static_cast<float>(x.value());
}

} // namespace flow

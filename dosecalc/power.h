#pragma once

#include <optional>

namespace dosecalc {

// base raised to exponent, rounded to the nearest double: the exact power, not the C library's
// pow, which is off by one in the last bit for a few bases in a thousand. Made for the area
// formula's exponents, strictly between 0 and 1, where the result of a positive finite base is
// a normal double.
// Zero (of either sign) gives 0; a negative base throws InvalidArgument, since no fractional
// power of it is real; an infinite base gives infinity and NaN gives NaN. Allocates nothing
// except on the rare slow path (see powerSlowPath).
double CorrectlyRoundedPower(double base, double exponent);

// The two halves of the power for a positive finite base, apart so tests can reach them.
// The fast path answers only when its result is certainly the correctly rounded one, that is
// when the whole error interval around the extended-precision power rounds to one double.
std::optional<double> powerFastPath(double base, double exponent);
// Multiple precision with correct rounding; slower, and it may allocate.
double powerSlowPath(double base, double exponent);

} // namespace dosecalc

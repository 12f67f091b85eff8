#include "dosecalc/formulas.h"

#include "dosecalc/power.h"

#include "common/faults.h"

#include <cmath>
#include <limits>

namespace dosecalc {

namespace {

// Each arithmetic step is checked on its own: an infinity out of finite operands is an
// overflow, a NaN out of operands that are numbers is an invalid operation.
double checked(double result, double a, double b)
{
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
        throw common::ArithmeticFault();
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        throw common::ArithmeticFault();
    return result;
}

double times(double a, double b)
{
    return checked(a * b, a, b);
}

double over(double a, double b)
{
    return checked(a / b, a, b);
}

double plus(double a, double b)
{
    return checked(a + b, a, b);
}

double minus(double a, double b)
{
    return checked(a - b, a, b);
}

// The age is held in single precision: to the nearest single, and an infinity of the same sign
// beyond its range. Spelled out because C++ leaves the conversion of an out-of-range double
// undefined.
float narrowedAge(double age)
{
    // The midpoint between the largest single and 2^128: from there on, nearest rounds to infinity.
    constexpr double overflowThreshold = (2.0 - 0x1p-24) * 0x1p127;
    if (std::isnan(age))
        return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(age) >= overflowThreshold)
        return age > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(age);
}

} // namespace

double BodySurfaceArea(double height, double weight)
{
    const double ph = CorrectlyRoundedPower(height, 0.725);
    const double pw = CorrectlyRoundedPower(weight, 0.425);
    double a = times(pw, ph);
    // Factor and divisor stay two roundings; folding them into 0.007184 changes the last digits.
    a = times(a, 71.84);
    a = over(a, 10000);
    return a;
}

double DoseFromArea(double area, double dosePerSquareMetre)
{
    return times(area, dosePerSquareMetre);
}

struct CarboplatinFigures CarboplatinFigures(double age, double weight, double creatinine, double auc)
{
    constexpr float ageBase = 140;
    const float singleAge = narrowedAge(age);
    if (creatinine == 0)
        creatinine = 1;
    const double k = minus(ageBase, singleAge);
    const double maleClearance = over(times(times(k, weight), 1.23), creatinine);
    const double maleDose = times(plus(maleClearance, 25), auc);
    const double femaleClearance = times(maleClearance, 0.85);
    const double femaleDose = times(plus(femaleClearance, 25), auc);
    return {maleClearance, femaleClearance, maleDose, femaleDose};
}

} // namespace dosecalc

#pragma once

// The dose calculator's arithmetic: pure functions that touch no window and allocate nothing.
// Each operation is carried out in the order and precision that the users' printed tables were
// computed with, so every displayed digit matches them. A step that overflows the double range
// or is an invalid operation throws common::ArithmeticFault; no result is given then.
namespace dosecalc {

// Du Bois body surface area in m², S = W^0.425 × H^0.725 × 71.84 / 10000, from the height in
// cm and the weight in kg. A negative height or weight throws common::InvalidArgument, the
// height being looked at first.
double BodySurfaceArea(double height, double weight);

// The dose in mg from the body surface area and the dose per square metre.
double DoseFromArea(double area, double dosePerSquareMetre);

// Creatinine clearances (ml/min, Cockcroft-Gault for μmol/L) and carboplatin doses (mg, Calvert).
struct CarboplatinFigures {
    double maleClearance;
    double femaleClearance;
    double maleDose;
    double femaleDose;
};

// From the age in years (held in single precision, as the figures have always been computed),
// the weight in kg, the serum creatinine in μmol/L (0 is taken as 1) and the target AUC.
// An age beyond the single range is no fault: it gives infinite figures.
CarboplatinFigures CarboplatinFigures(double age, double weight, double creatinine, double auc);

} // namespace dosecalc

#pragma once

namespace tq370 {

// Truncation toward zero that first forgives binary rounding: 2.3 × 10 is
// 22.999999999999996 in doubles and must give 23, not 22. Values within a billionth of
// a whole number count as that number.
int tolerantTruncate(double value);

}  // namespace tq370

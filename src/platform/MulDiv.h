#pragma once
// number * numerator / denominator with a 64-bit intermediate, rounded to
// the nearest integer (halves away from zero); -1 for a denominator of 0 or
// a result that does not fit 32 bits.

int MulDiv(int number, int numerator, int denominator);

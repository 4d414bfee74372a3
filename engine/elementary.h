// The sine, cosine, tangent and arc functions of the engine, computed by the engine itself
// so that every build gives the same bits: the desktop program, the converter and the
// WebAssembly page, on any processor. C libraries round these functions differently in
// the last bit (glibc and musl, and glibc itself with and without fused multiply-adds);
// rounded for output, such a bit can flip a sense letter or a last digit.
//
// Only IEEE-754 double operations that every platform rounds alike are used (+, -, *, /,
// sqrt), exact ones (fabs, truncation, scaling by powers of two, integer arithmetic), in
// the order written, compiled without fused multiply-adds (-ffp-contract=off on the
// engine). The constants come from tools/elementary_constants.py, which derives them
// from pi computed to 1400 bits and from minimax fits of its own.
//
// Arguments and results in radians. For every double the semantics are those of the
// std functions: Sin, Tan, Asin, Atan and Atan2 (in y) are odd and Cos even, bit for bit;
// signed zeros are kept (Sin(-0) = -0); Sin, Cos and Tan of an infinity, Asin outside
// [-1, 1] and anything of a NaN give NaN; Atan(+-inf) = +-pi/2; Atan2 has std::atan2's
// quadrants and its cases of zeros and infinities (Atan2(+-0, -0) = +-pi,
// Atan2(+-inf, -inf) = +-3pi/4, Atan2(+-y, 0) = +-pi/2 for y > 0). Asin stays within
// +-pi/2 and Atan2 within +-pi, taken as the doubles nearest to them.
//
// Accuracy: the error is below one unit in the last place for every argument, far
// arguments of Sin, Cos and Tan included (any finite double; beyond 2^25 radians the
// argument is reduced with 1280 bits of 2/pi). Measured against the x87 long double
// functions on 5 million random arguments each (turns, the field range up to 1e9
// degrees, huge values, [-1, 1] for Asin, unit vectors for Atan2) and on the hardest
// arguments of the reduction, computed to 106 bits by the generator: largest errors
// 0.56 ulp for Sin, Cos and Asin, 0.58 for Tan, 0.53 for Atan and Atan2.
// tests/engine/elementary_test.cpp keeps them below 0.6.
#pragma once

namespace orvane {

double Sin(double x);
double Cos(double x);
// Sin(x) and Cos(x), the same bits as the two calls, for the price of one reduction.
void SinCos(double x, double& sine, double& cosine);
double Tan(double x);
double Asin(double x);
double Atan(double x);
double Atan2(double y, double x);

}  // namespace orvane

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
// Atan2(+-inf, -inf) = +-3pi/4, Atan2(y, +-0) = +-pi/2 for y != 0). Results lie in the
// std ranges: Asin in [-pi/2, pi/2], Atan2 in [-pi, pi], every result of magnitude pi/2
// or pi is the double nearest to it.
//
// Accuracy: the error is below one unit in the last place for every argument, far
// arguments of Sin, Cos and Tan included (any finite double; beyond 2^25 radians the
// argument is reduced with 1280 bits of 2/pi). Measured against long double references
// and a table of hard cases computed to 106 bits (tests/engine/elementary_test.cpp):
// largest errors about 0.52 ulp for Sin and Cos, 0.6 for Tan, 0.6 for Asin, 0.55 for
// Atan and Atan2.
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

// Reads and writes many generated numbers through the engine's number functions, and
// computes its sines, cosines, tangents and arc functions of many arguments, and
// prints what came out, so that the native and the WebAssembly builds can be compared
// line for line (tests/web/numbers_agree.sh). The numbers are made from integers
// only, so both builds make the same ones.
//
//   numbers_probe           one line per case
//   numbers_probe COUNT     the same with COUNT cases of each random kind
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "angles.h"
#include "elementary.h"
#include "numbers.h"
#include "numbers_portable.h"

namespace {

struct Random {
  std::uint64_t state;
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
};

std::uint64_t Bits(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}
double FromBits(std::uint64_t b) {
  double x;
  std::memcpy(&x, &b, sizeof x);
  return x;
}

void Read(const std::string& text) {
  const auto v = orvane::StrToFloat(text);
  if (v) {
    std::printf("read %s -> %016" PRIx64 "\n", text.c_str(), Bits(*v));
  } else {
    std::printf("read %s -> rejected\n", text.c_str());
  }
}

void Write(double x) {
  std::string general;
  orvane::AppendGeneral(general, x);
  std::string rounded;
  orvane::AppendGeneral(rounded, orvane::RoundTo(x, 1));
  std::printf("write %016" PRIx64 " -> %s %s", Bits(x), general.c_str(), rounded.c_str());
  const double whole = orvane::RoundToInt(x);
  if (std::isfinite(whole)) {
    std::string integer;
    orvane::AppendInteger(integer, whole);
    std::printf(" %s", integer.c_str());
  }
  std::printf("\n");
}

// The exact decimal digits of |x| and the power of ten of the last one.
void ExactDigits(double x, std::string& digits, int& exp10) {
  char buf[1200];
  const auto r = orvane::portable::ToCharsGeneral(buf, buf + sizeof buf, std::fabs(x), 800);
  const std::string text(buf, r.ptr);
  const std::size_t e = text.find('e');
  const std::string mantissa = text.substr(0, e);
  exp10 = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  digits.clear();
  const std::size_t point = mantissa.find('.');
  for (char c : mantissa) {
    if (c != '.') digits += c;
  }
  if (point != std::string::npos) exp10 -= static_cast<int>(mantissa.size() - point - 1);
}

// The text of the exact midpoint between positive finite a and the next double up, and
// of a number just below it: the cases where reading must round ties to even.
void Midpoints(double a, std::string& mid, std::string& below) {
  std::string da, db;
  int ea = 0, eb = 0;
  ExactDigits(a, da, ea);
  ExactDigits(std::nextafter(a, INFINITY), db, eb);
  const int e = ea < eb ? ea : eb;
  da.append(static_cast<std::size_t>(ea - e), '0');
  db.append(static_cast<std::size_t>(eb - e), '0');
  while (da.size() < db.size()) da.insert(da.begin(), '0');
  while (db.size() < da.size()) db.insert(db.begin(), '0');
  std::string sum(da.size() + 1, '0');
  int carry = 0;
  for (std::size_t i = da.size(); i-- > 0;) {
    const int s = (da[i] - '0') + (db[i] - '0') + carry;
    sum[i + 1] = static_cast<char>('0' + s % 10);
    carry = s / 10;
  }
  sum[0] = static_cast<char>('0' + carry);
  std::string half;
  int rest = 0;
  for (char c : sum) {
    const int v = rest * 10 + (c - '0');
    half += static_cast<char>('0' + v / 2);
    rest = v % 2;
  }
  int exp10 = e;
  if (rest != 0) {
    half += '5';
    --exp10;
  }
  mid = half + "e" + std::to_string(exp10);
  // One less in the last digit, then nines: just below the midpoint.
  std::string low = half;
  std::size_t k = low.size() - 1;
  while (low[k] == '0') low[k--] = '9';
  --low[k];
  below = low + "999e" + std::to_string(exp10);
}

// A result's bits; NaN as "nan", since builds may give NaN other signs and payloads.
std::string Result(double v) {
  if (std::isnan(v)) return "nan";
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016" PRIx64, Bits(v));
  return buf;
}

void Elementary(double x) {
  double s, c;
  orvane::SinCos(x, s, c);
  std::printf("trig %016" PRIx64 " -> %s %s %s %s %s %s\n", Bits(x), Result(orvane::Sin(x)).c_str(),
              Result(orvane::Cos(x)).c_str(), Result(s).c_str(), Result(c).c_str(),
              Result(orvane::Tan(x)).c_str(), Result(orvane::Atan(x)).c_str());
}

void Arcsine(double x) {
  std::printf("asin %016" PRIx64 " -> %s\n", Bits(x), Result(orvane::Asin(x)).c_str());
}

void Arctangent2(double y, double x) {
  std::printf("atan2 %016" PRIx64 " %016" PRIx64 " -> %s\n", Bits(y), Bits(x),
              Result(orvane::Atan2(y, x)).c_str());
}

// The engine's own entry points in degrees, tables and computed path alike.
void Degrees(double d) {
  double s, c;
  orvane::SinCosDegrees(d, s, c);
  std::printf("degrees %016" PRIx64 " -> %s %s %s %s %s\n", Bits(d), Result(s).c_str(),
              Result(c).c_str(), Result(orvane::NotationSin(d)).c_str(),
              Result(orvane::NotationCos(d)).c_str(), Result(orvane::NotationTan(d)).c_str());
}

void ElementaryCases(Random& rng, int count) {
  const double specials[] = {0.0,
                             -0.0,
                             1.0,
                             -1.0,
                             0.5,
                             1e-300,
                             5e-324,
                             1e300,
                             1.7976931348623157e308,
                             INFINITY,
                             -INFINITY,
                             NAN,
                             0x1p25,
                             0x1p-27,
                             0x1p-30,
                             0.78539816339744828,
                             1.5707963267948966,
                             3.1415926535897931};
  for (double x : specials) {
    Elementary(x);
    Arcsine(x);
    for (double y : specials) Arctangent2(x, y);
  }
  for (int i = 0; i < count; ++i) {
    Elementary(FromBits(rng.Next()));  // any double
    // Turns of either sign, and arguments up to 2^25, to 53 bits. One call of rng per
    // statement: the order of arguments differs between compilers.
    const double mantissa = static_cast<double>(rng.Next() >> 11) * 0x1p-53;
    const int exponent = rng.Below(30) - 2;
    const double sign = rng.Below(2) == 0 ? -1.0 : 1.0;
    const double x = sign * std::ldexp(mantissa, exponent);
    Elementary(x);
    Arcsine(x / 128);                                                 // [-1, 1] mostly
    Arcsine(std::ldexp(static_cast<double>(rng.Next() >> 11), -53));  // [0, 1)
    Arcsine(1.0 - std::ldexp(1.0, -1 - rng.Below(53)));               // near 1
    const double anyY = FromBits(rng.Next());
    const double anyX = FromBits(rng.Next());
    Arctangent2(anyY, anyX);
    const double y = static_cast<double>(rng.Below(2000001) - 1000000) / 1000000;
    const double x2 = static_cast<double>(rng.Below(2000001) - 1000000) / 1000000;
    Arctangent2(y, x2);
    // field angles: whole degrees and tenths, up to two turns either way
    Degrees(static_cast<double>(rng.Below(1441) - 720));
    Degrees(static_cast<double>(rng.Below(14401) - 7200) / 10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  Random rng{20261212};

  const char* const kTexts[] = {"0",
                                "-0",
                                "120",
                                "-45.5",
                                "+.5",
                                "5.",
                                "1e3",
                                "2.5E-1",
                                "1e-310",
                                "4.9e-324",
                                "2e-324",
                                "2.4703282292062328e-324",
                                "1e-400",
                                "1.7976931348623157e308",
                                "1.7976931348623159e308",
                                "1e309",
                                "9007199254740993",
                                "123456789012345678",
                                "0.1000000000000000055511151231257827",
                                "1e",
                                "inf",
                                "nan",
                                " 7 ",
                                "1,5",
                                "1e99999999999999999999"};
  for (const char* text : kTexts) Read(text);
  for (double x : {0.0, -0.0, 45.0, 45.44, 7.25, 359.96, 1e15, 1234567890123455.0, 1e30, -1e30,
                   5e-324, 1.7976931348623157e308, 0.05, 0.15, 0.25, 0.35, 2.5, -2.5}) {
    Write(x);
  }

  for (int i = 0; i < count; ++i) {
    // Decimal texts of every length and exponent.
    std::string text = (rng.Below(4) == 0) ? "-" : "";
    const int digits = 1 + (rng.Below(8) == 0 ? rng.Below(900) : rng.Below(25));
    const int point = rng.Below(digits + 1);
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + rng.Below(10));
    }
    if (rng.Below(2) == 0) text += "e" + std::to_string(rng.Below(700) - 350);
    Read(text);

    // Doubles of any bits, one-decimal values as the output writes them, and whole
    // values of every size.
    Write(FromBits(rng.Next()));
    Write(static_cast<double>(rng.Below(7200001) - 3600000) / 10.0);
    const double mantissa = static_cast<double>(rng.Next() >> 11);  // one call per statement:
    const int exponent = rng.Below(1000) - 60;  // argument order differs between compilers
    Write(std::ldexp(mantissa, exponent));

    // Ties between two doubles, and just below them.
    double a = std::fabs(FromBits(rng.Next()));
    if (std::isfinite(a) && a < 1.7976931348623157e308 && i % 4 == 0) {
      std::string mid, below;
      Midpoints(a, mid, below);
      Read(mid);
      Read(below);
    }
  }
  ElementaryCases(rng, count);
  return 0;
}

// Writes a realistic field book of N fault-slip lines to standard output: every plane
// and lineation notation, all four sense letters, a bedding field on every line,
// comments on some lines and a few per cent of unreadable lines. Deterministic.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double kPi = 3.141592653589793;

struct Random {
  std::uint64_t state;
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  double Uniform(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) * 0x1.0p-53;  // 53 bits: exact
  }
};

// Quadrant strike letters for a dip direction: strike = dip direction - 90.
std::string QuadrantPlane(int dipDirection, int dip) {
  int strike = ((dipDirection - 90) % 360 + 360) % 360;
  if (strike >= 180) strike -= 180;  // strike from north, east or west of it
  char buf[32];
  const bool east = strike <= 90;
  const int angle = east ? strike : 180 - strike;
  // The side the plane dips to, as the letter a geologist writes.
  const char* side = (dipDirection >= 45 && dipDirection < 135)    ? "E"
                     : (dipDirection >= 135 && dipDirection < 225) ? "S"
                     : (dipDirection >= 225 && dipDirection < 315) ? "W"
                                                                   : "N";
  std::snprintf(buf, sizeof buf, "N%d%c%d%s", angle, east ? 'E' : 'W', dip, side);
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
  Random rng{20261211};
  static const char* kSense[] = {"N", "R", "D", "S"};
  static const char* kSites[] = {"# quarry wall", "# road cut, km 12", "# site 7 striae clear",
                                 "# fault core, gouge", "# \xc2\xb0 approx."};
  std::string line;
  for (long i = 0; i < lines; ++i) {
    line.clear();
    char buf[128];
    const int dd = rng.Below(360);
    const int dip = 10 + rng.Below(80);
    const double rake = rng.Uniform(5, 175);
    // A lineation in the plane, from the rake.
    const double r = rake * kPi / 180, a = dd * kPi / 180, d = dip * kPi / 180;
    const double sN = std::cos(a - kPi / 2), sE = std::sin(a - kPi / 2);
    const double n = std::sin(r) * std::cos(d) * std::cos(a) + std::cos(r) * sN;
    const double e = std::sin(r) * std::cos(d) * std::sin(a) + std::cos(r) * sE;
    const double down = std::sin(r) * std::sin(d);
    int trend = static_cast<int>(std::lround(std::atan2(e, n) * 180 / kPi + 360)) % 360;
    const int plunge = static_cast<int>(std::lround(std::asin(down) * 180 / kPi));

    if (rng.Below(100) < 3) {  // unreadable lines, as typed in a hurry
      static const char* kBad[] = {"120 3O 45 20 N", "120 30 45 20", "N30E40 R30N X",
                                   "120,,30 45 20 N", "12a/40 200/30 N"};
      line = kBad[rng.Below(5)];
    } else {
      switch (rng.Below(3)) {  // plane
        case 0:
          std::snprintf(buf, sizeof buf, "%d %d", dd, dip);
          break;
        case 1:
          std::snprintf(buf, sizeof buf, "%s", QuadrantPlane(dd, dip).c_str());
          break;
        default:
          std::snprintf(buf, sizeof buf, "%d/%d", dd, dip);
          break;
      }
      line += buf;
      line += ' ';
      switch (rng.Below(6)) {  // lineation
        case 0:
          std::snprintf(buf, sizeof buf, "%d %d", trend, plunge);
          break;
        case 1:
          std::snprintf(buf, sizeof buf, "R%d%c", static_cast<int>(rake), "NSEW"[rng.Below(4)]);
          break;
        case 2:
          std::snprintf(buf, sizeof buf, "P%d%c", plunge * 9 / 10, "NSEW"[rng.Below(4)]);
          break;
        case 3: {
          const bool north = trend < 90 || trend >= 270;
          const int from = north ? (trend < 90 ? trend : 360 - trend) : std::abs(180 - trend);
          std::snprintf(buf, sizeof buf, "N%d%c%d%c", from % 90, (trend < 180) ? 'E' : 'W', plunge,
                        north ? 'N' : 'S');
          break;
        }
        case 4:
          std::snprintf(buf, sizeof buf, "AN%dE%d", trend % 90, plunge);
          break;
        default:
          std::snprintf(buf, sizeof buf, "%d/%d", trend, plunge);
          break;
      }
      line += buf;
      line += ' ';
      line += kSense[rng.Below(4)];
      line += ' ';
      if (rng.Below(2) == 0) {
        std::snprintf(buf, sizeof buf, "%d/%d", rng.Below(360), rng.Below(60));
      } else {
        std::snprintf(buf, sizeof buf, "%s",
                      QuadrantPlane(rng.Below(360), 5 + rng.Below(55)).c_str());
      }
      line += buf;
    }
    if (rng.Below(4) == 0) {
      line += "  ";
      line += kSites[rng.Below(5)];
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return 0;
}

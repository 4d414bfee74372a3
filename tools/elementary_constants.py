#!/usr/bin/env python3
"""Derives every constant of the engine's elementary functions (engine/elementary.cpp)
from first principles, in exact or high-precision arithmetic, and writes them as C++.

    python3 tools/elementary_constants.py > engine/elementary_constants.h
    python3 tools/elementary_constants.py --test-cases > tests/engine/elementary_cases.h

- pi to 1400 bits from Machin's formula in integer arithmetic, checked against the
  Gauss-Legendre iteration in decimal arithmetic;
- pi/2 split into 28-bit parts for the reduction of arguments below 2^25, and the
  reduction's worst case there from the continued fraction of pi/2 in units of an ulp;
- the first 1280 bits of 2/pi for the reduction of larger arguments;
- atan(k/128), k = 0..128, as pairs of doubles;
- minimax polynomials (Remez exchange on a weighted error, 60 significant digits) for
  the kernels of sin, cos, atan and asin, rounded to doubles, with their error measured
  again after rounding;
- with --test-cases: hard arguments for the tests (the doubles nearest to multiples of
  pi/2 in several binades, huge arguments) with sin, cos and tan to 106 bits.

Python 3 standard library only; runs in about a minute.
"""
import sys
from decimal import Decimal as D, getcontext
from fractions import Fraction as F

PI_BITS = 1400

# --------------------------------------------------------------------------- pi


def pi_machin(bits):
    """floor-ish of pi * 2^bits: pi = 16 atan(1/5) - 4 atan(1/239), in integers."""
    guard = 40
    one = 1 << (bits + guard)

    def atan_inv(n):
        total, power, k, n2 = 0, one // n, 0, n * n
        while power:
            term = power // (2 * k + 1)
            total += -term if k % 2 else term
            power //= n2
            k += 1
        return total

    return (16 * atan_inv(5) - 4 * atan_inv(239)) >> guard


def pi_gauss_legendre(digits):
    getcontext().prec = digits + 20
    a, b, t, p = D(1), D(1) / D(2).sqrt(), D(1) / 4, D(1)
    for _ in range(20):
        an = (a + b) / 2
        b = (a * b).sqrt()
        t -= p * (a - an) ** 2
        a = an
        p *= 2
    return (a + b) ** 2 / (4 * t)


PI_INT = pi_machin(PI_BITS)
PI = F(PI_INT, 1 << PI_BITS)  # error below 2^-1390
_check = pi_gauss_legendre(440)
assert abs(F(_check) - PI) < F(1, 1 << 1380), "the two computations of pi disagree"

getcontext().prec = 60

# ----------------------------------------------------------------- double helpers


def to_double(x):
    return float(F(x))  # Fraction -> float rounds correctly


def hi_lo(x):
    x = F(x)
    hi = float(x)
    return hi, float(x - F(hi))


def round_bits(x, k):
    """x rounded to k significant bits (nearest)."""
    x = F(x)
    if x == 0:
        return x
    e = abs(x.numerator).bit_length() - abs(x.denominator).bit_length()
    while abs(x) >= F(2) ** (e + 1):
        e += 1
    while abs(x) < F(2) ** e:
        e -= 1
    scale = F(2) ** (k - 1 - e)
    return F(round(x * scale)) / scale


def hexf(x):
    """A C++ hexadecimal floating literal that is exactly x."""
    return float(x).hex()


# ------------------------------------------------------- high-precision functions
# Power series in z = r^2, evaluated in decimal arithmetic at 60 digits.


def series(z, coef, eps=D(10) ** -70):
    total, power, k = D(0), D(1), 0
    while True:
        c = coef(k)
        term = c * power
        total += term
        if k > 3 and abs(term) < eps * (abs(total) + eps):
            return total
        power *= z
        k += 1


def fact(n):
    r = 1
    for i in range(2, n + 1):
        r *= i
    return r


def c_sin(k):  # sin r / r = sum c_k z^k
    return D((-1) ** k) / D(fact(2 * k + 1))


def c_cos(k):
    return D((-1) ** k) / D(fact(2 * k))


def c_atan(k):
    return D((-1) ** k) / D(2 * k + 1)


def c_asin(k):
    return D(fact(2 * k)) / (D(4) ** k * D(fact(k)) ** 2 * D(2 * k + 1))


def sin_d(r):
    return r * series(r * r, c_sin)


def cos_d(r):
    return series(r * r, c_cos)


def atan_d(x):
    """atan for any x >= 0 through two halvings of the angle, then the series."""
    x = D(x)
    if x > 1:
        return pi_d() / 2 - atan_d(1 / x)
    for _ in range(2):
        x = x / (1 + (1 + x * x).sqrt())
    return 4 * x * series(x * x, c_atan)


def pi_d():
    return D(PI.numerator) / D(PI.denominator)


# ------------------------------------------------------------------------ Remez


def solve(a, b):
    """Gaussian elimination with partial pivoting."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for col in range(n):
        piv = max(range(col, n), key=lambda r: abs(m[r][col]))
        m[col], m[piv] = m[piv], m[col]
        for r in range(col + 1, n):
            f = m[r][col] / m[col][col]
            for c in range(col, n + 1):
                m[r][c] -= f * m[col][c]
    x = [D(0)] * n
    for r in range(n - 1, -1, -1):
        s = m[r][n] - sum(m[r][c] * x[c] for c in range(r + 1, n))
        x[r] = s / m[r][r]
    return x


def poly(c, z):
    s = D(0)
    for ck in reversed(c):
        s = s * z + ck
    return s


def remez(g, w, b, n, samples=600):
    """Coefficients c_0..c_{n-1} of the polynomial P minimizing max |w(z) (g(z) - P(z))|
    over (0, b]; w vanishes at 0, so the reference points stay inside. Returns (c, E)."""
    import math
    pts = [b * D((1 - math.cos(math.pi * (i + 0.5) / (n + 1))) / 2) for i in range(n + 1)]
    grid = [b * D((1 - math.cos(math.pi * i / samples)) / 2) for i in range(1, samples + 1)]
    gv = {z: g(z) for z in grid}
    wv = {z: w(z) for z in grid}
    c, e = None, None
    for _ in range(30):
        rows, rhs = [], []
        for i, z in enumerate(pts):
            rows.append([z**j for j in range(n)] + [D((-1) ** i) / w(z)])
            rhs.append(g(z))
        sol = solve(rows, rhs)
        c, e = sol[:n], sol[n]

        def err(z, gz=None, wz=None):
            return (wz if wz is not None else w(z)) * ((gz if gz is not None else g(z)) - poly(c, z))

        vals = [err(z, gv[z], wv[z]) for z in grid]
        # The extremum of each run of one sign, then refined between its neighbours.
        runs = []
        i = 0
        while i < len(grid):
            j = i
            best = i
            while j < len(grid) and (vals[j] > 0) == (vals[i] > 0):
                if abs(vals[j]) > abs(vals[best]):
                    best = j
                j += 1
            runs.append(best)
            i = j
        ext = []
        for k in runs:
            lo = grid[k - 1] if k > 0 else grid[0] / 2
            hi = grid[k + 1] if k + 1 < len(grid) else grid[k]
            # golden-section search for max |err| on [lo, hi]
            gr = (D(5).sqrt() - 1) / 2
            x1, x2 = hi - gr * (hi - lo), lo + gr * (hi - lo)
            f1, f2 = abs(err(x1)), abs(err(x2))
            for _ in range(40):
                if f1 > f2:
                    hi, x2, f2 = x2, x1, f1
                    x1 = hi - gr * (hi - lo)
                    f1 = abs(err(x1))
                else:
                    lo, x1, f1 = x1, x2, f2
                    x2 = lo + gr * (hi - lo)
                    f2 = abs(err(x2))
            cand = [grid[k], x1]
            if k + 1 == len(grid):
                cand.append(b)
            z = max(cand, key=lambda t: abs(err(t)))
            ext.append((z, err(z)))
        # Keep n + 1 alternating points with the largest errors.
        while len(ext) > n + 1:
            if abs(ext[0][1]) < abs(ext[-1][1]):
                ext.pop(0)
            else:
                ext.pop()
        if len(ext) < n + 1:
            break
        pts = [z for z, _ in ext]
        emax = max(abs(v) for _, v in ext)
        if emax - abs(e) <= abs(e) * D("1e-6"):
            break
    return c, abs(e)


# ------------------------------------------------------------------- the fits


def fit(name, g, w, b, target_log2, coeff_check, start=2):
    """The shortest minimax polynomial whose weighted error is below 2^target_log2, its
    coefficients rounded to doubles, and the error that coeff_check measures with them
    (rounding the leading coefficient costs more than the fit where that is large)."""
    for n in range(start, 30):
        c, e = remez(g, w, b, n)
        if e > D(2) ** D(target_log2):
            continue
        rc = [F(float(ck)) for ck in c]
        return c, rc, e, coeff_check(c, rc)
    raise RuntimeError(name)


def measure(g, w, b, rc, samples=3000):
    """max |w (g - P)| over a grid, P with the rounded coefficients rc (exact values)."""
    import math
    cd = [D(x.numerator) / D(x.denominator) for x in rc]
    worst = D(0)
    for i in range(1, samples + 1):
        z = b * D((1 - math.cos(math.pi * i / samples)) / 2)
        v = abs(w(z) * (g(z) - poly(cd, z)))
        worst = max(worst, v)
    return worst


def log2(x):
    import math
    return math.log2(float(x)) if x > 0 else float("-inf")


def main():
    test_cases = "--test-cases" in sys.argv[1:]
    out = []
    emit = out.append

    # -- pi and the reduction constants
    half_pi = PI / 2
    if test_cases:
        emit_test_cases(emit, half_pi)
        sys.stdout.write("\n".join(out) + "\n")
        return
    parts = []
    rest = half_pi
    for _ in range(4):
        p = round_bits(rest, 28)
        parts.append(p)
        rest -= p
    parts.append(F(float(rest)))
    tail_error = abs(half_pi - sum(parts))
    pio2_hi, pio2_lo = hi_lo(half_pi)
    pi_hi, pi_lo = hi_lo(PI)
    two_over_pi = to_double(2 / PI)

    # The reduction's worst cases: the smallest |x - n pi/2| over doubles x >= pi/4,
    # below 2^25 (the medium path) and over all (the large path), bounded from below
    # binade by binade with reduction_bound.
    worst_medium = min(reduction_bound(half_pi, e) for e in range(-1, 25))
    worst_any = min(worst_medium, min(reduction_bound(half_pi, e) for e in range(25, 1024)))

    # 2/pi, 1280 bits after the binary point, in 32-bit words
    words = 40
    # floor(2/pi 2^(32 words)); pi's own error reaches about 2^-110 of the last unit
    tp = (1 << (PI_BITS + 32 * words + 1)) // PI_INT
    two_over_pi_words = [(tp >> (32 * (words - 1 - i))) & 0xFFFFFFFF for i in range(words)]
    # check the top word against a direct computation with the rational pi
    assert two_over_pi_words[0] == int(F(2) / PI * (1 << 32))

    # -- atan(k/128)
    atan_table = [hi_lo(F(atan_d(D(k) / 128))) for k in range(129)]

    # -- kernels: each fit minimizes the error relative to the function's value
    quarter_pi = pi_d() / 4
    r_max = quarter_pi * (1 + D(2) ** -20)  # reduced arguments overshoot pi/4 by rounding
    zs = r_max * r_max

    def g_sin(z):
        return series(z, lambda k: c_sin(k + 1))

    def w_sin(z):
        return z / series(z, c_sin)  # r^3 / sin r

    def g_cos(z):
        return series(z, lambda k: c_cos(k + 2))

    def w_cos(z):
        return z * z / series(z, c_cos)  # r^4 / cos r

    def g_atan(z):
        return series(z, lambda k: c_atan(k + 1))

    def w_atan(z):
        return z / series(z, c_atan)

    def g_asin(z):
        return series(z, lambda k: c_asin(k + 1))

    def w_asin(z):
        return z / series(z, c_asin)

    # Targets of the fits: far below an ulp (2^-53), so that the polynomials add nothing
    # visible to the error of the evaluation. asin's series converges slowly: its target
    # is lower, else it would need more terms than the evaluation's own error justifies.
    target = -64

    def head_tail(c0):
        """A leading coefficient as a 26-bit head and a double tail: the products of the
        head can be made exact."""
        head = round_bits(F(c0), 26)
        return head, F(float(F(c0) - head))

    def with_head(g, w, b):
        def check(c, rc):
            head, tail = head_tail(c[0])
            return measure(g, w, b, [head + tail] + rc[1:])
        return check

    sin_c, sin_rc, sin_e, sin_m = fit("sin", g_sin, w_sin, zs, target, with_head(g_sin, w_sin, zs),
                                      start=5)
    sin_head, sin_tail = head_tail(sin_c[0])

    cos_c, cos_rc, cos_e, cos_m = fit(
        "cos", g_cos, w_cos, zs, target, lambda c, rc: measure(g_cos, w_cos, zs, rc), start=5)

    t_max = (D(1) / 256) * (1 + D(2) ** -20)
    za = t_max * t_max
    atan_s_c, atan_s_rc, atan_s_e, atan_s_m = fit(
        "atan small", g_atan, w_atan, za, target, lambda c, rc: measure(g_atan, w_atan, za, rc))

    q_max = (D(1) / 8) * (1 + D(2) ** -20)
    zq = q_max * q_max
    atan_d_c, atan_d_rc, atan_d_e, atan_d_m = fit(
        "atan", g_atan, w_atan, zq, target, lambda c, rc: measure(g_atan, w_atan, zq, rc), start=5)

    zb = D(1) / 4
    asin_c, asin_rc, asin_e, asin_m = fit(
        "asin", g_asin, w_asin, zb, -59.5, with_head(g_asin, w_asin, zb), start=11)
    asin_head, asin_tail = head_tail(asin_c[0])

    def coeffs(name, rc, comment):
        emit(f"// {comment}")
        emit(f"inline constexpr double {name}[{len(rc)}] = {{")
        for x in rc:
            emit(f"    {hexf(x)},  // {float(x)!r}")
        emit("};")

    emit("// Generated by tools/elementary_constants.py: do not edit. The script derives each")
    emit("// value from pi computed to 1400 bits and from minimax fits it runs itself; run it")
    emit("// again to check (python3 tools/elementary_constants.py > engine/elementary_constants.h).")
    emit("#pragma once")
    emit("")
    emit("#include <cstdint>")
    emit("")
    emit("// clang-format off")
    emit("namespace orvane::elementary_data {")
    emit("")
    emit("// pi/2 as four 28-bit parts and a double: n * part is exact for n < 2^25.")
    emit(f"// |pi/2 - sum| < 2^{log2(tail_error):.1f}. No double in [pi/4, 2^25) lies closer")
    emit(f"// than 2^{log2(worst_medium):.1f} to a multiple of pi/2, no double at all closer than")
    emit(f"// 2^{log2(worst_any):.1f} (to a nonzero multiple).")
    emit("inline constexpr double kPiOver2Parts[5] = {")
    for p in parts:
        emit(f"    {hexf(p)},")
    emit("};")
    emit(f"inline constexpr double kTwoOverPi = {hexf(two_over_pi)};")
    emit(f"inline constexpr double kPiOver2Hi = {hexf(pio2_hi)};")
    emit(f"inline constexpr double kPiOver2Lo = {hexf(pio2_lo)};")
    emit(f"inline constexpr double kPiHi = {hexf(pi_hi)};")
    emit(f"inline constexpr double kPiLo = {hexf(pi_lo)};")
    q3 = 3 * PI / 4
    emit(f"inline constexpr double kThreePiOver4 = {hexf(to_double(q3))};")
    emit(f"inline constexpr double kPiOver4 = {hexf(to_double(PI / 4))};")
    emit("")
    emit(f"// The bits of 2/pi after the binary point, 32 to a word, first word first.")
    emit(f"inline constexpr std::uint32_t kTwoOverPiBits[{words}] = {{")
    for i in range(0, words, 5):
        emit("    " + ", ".join(f"0x{w:08X}" for w in two_over_pi_words[i:i + 5]) + ",")
    emit("};")
    emit("")
    emit("// atan(k / 128) for k = 0..128 as hi + lo.")
    emit("inline constexpr double kAtanHi[129] = {")
    for k in range(0, 129, 3):
        emit("    " + ", ".join(hexf(atan_table[j][0]) for j in range(k, min(k + 3, 129))) + ",")
    emit("};")
    emit("inline constexpr double kAtanLo[129] = {")
    for k in range(0, 129, 3):
        emit("    " + ", ".join(hexf(atan_table[j][1]) for j in range(k, min(k + 3, 129))) + ",")
    emit("};")
    emit("")
    emit("// Each polynomial P approximates, in z = r^2, the part of a function beyond its")
    emit("// leading terms; the error given is the largest of |error of the function| / |function|")
    emit("// from the fit with its coefficients rounded to doubles, measured on 3000 points.")
    emit("")
    emit(f"// sin r = r + r^3 P(z), |r| <= pi/4 (1 + 2^-20): error 2^{log2(sin_m):.1f}.")
    emit("// P[0] is used as kSinHead + kSinTail, the head with 26 bits so that its products")
    emit("// can be made exact.")
    emit(f"inline constexpr double kSinHead = {hexf(sin_head)};")
    emit(f"inline constexpr double kSinTail = {hexf(sin_tail)};")
    coeffs("kSinPoly", sin_rc[1:], "P[1], P[2], ...")
    emit("")
    coeffs("kCosPoly", cos_rc,
           f"cos r = 1 - z/2 + z^2 P(z), |r| <= pi/4 (1 + 2^-20): error 2^{log2(cos_m):.1f}.")
    emit("")
    coeffs("kAtanSmallPoly", atan_s_rc,
           f"atan t = t + t^3 P(z), |t| <= 1/256 (1 + 2^-20): error 2^{log2(atan_s_m):.1f}.")
    emit("")
    coeffs("kAtanPoly", atan_d_rc,
           f"atan q = q + q^3 P(z), |q| <= 1/8 (1 + 2^-20): error 2^{log2(atan_d_m):.1f}.")
    emit("")
    emit(f"// asin v = v + v^3 P(z), |v| <= 1/2: error 2^{log2(asin_m):.1f}. P[0] as for sin.")
    emit(f"inline constexpr double kAsinHead = {hexf(asin_head)};")
    emit(f"inline constexpr double kAsinTail = {hexf(asin_tail)};")
    coeffs("kAsinPoly", asin_rc[1:], "P[1], P[2], ...")
    emit("")
    emit("}  // namespace orvane::elementary_data")
    emit("// clang-format on")
    sys.stdout.write("\n".join(out) + "\n")


# ---------------------------------------------------------------- test cases


def ulp_ratio(half_pi, e):
    """d = 2^(e-52) / (pi/2): a double m 2^(e-52) of the binade [2^e, 2^(e+1)) lies
    pi/2 |m d - n| from n pi/2."""
    return F(2) ** (e - 52) / half_pi


def denominators(d, bound):
    """Denominators q_0 = 1 < q_1 < ... < bound of the convergents of d."""
    frac = d - (d.numerator // d.denominator)
    qs = [1]
    q0, q1 = 0, 1
    a = frac
    while a != 0:
        a = 1 / a
        ai = a.numerator // a.denominator
        a -= ai
        q0, q1 = q1, ai * q1 + q0
        if q1 >= bound:
            break
        qs.append(q1)
    return qs


def distance(m, d):
    md = m * d
    return abs(md - round(md))


def reduction_bound(half_pi, e):
    """A lower bound of |x - n pi/2| over the doubles x of the binade [2^e, 2^(e+1)),
    n >= 1: no m below the next convergent denominator comes nearer to an integer
    multiple than the last one below 2^53 (best approximations)."""
    d = ulp_ratio(half_pi, e)
    q = denominators(d, 2**53)[-1]
    return half_pi * distance(q, d)


def nearest_multiples(half_pi, e, count):
    """Doubles of the binade [2^e, 2^(e+1)) close to a multiple of pi/2: m from the
    convergent denominators, their small multiples and intermediate fractions within
    [2^52, 2^53)."""
    d = ulp_ratio(half_pi, e)
    lo_m, hi_m = 2**52, 2**53
    qs = denominators(d, hi_m)
    cands = set()
    for i, q in enumerate(qs):
        j0 = -(-lo_m // q)
        for j in range(j0, j0 + 4):
            if lo_m <= j * q < hi_m:
                cands.add(j * q)
        if i > 0:
            prev = qs[i - 1]
            j0 = max(1, -(-(lo_m - prev) // q))
            for j in range(j0, j0 + 4):
                m = prev + j * q
                if lo_m <= m < hi_m:
                    cands.add(m)
    best = sorted((distance(m, d), F(m) * F(2) ** (e - 52)) for m in cands)
    return best[:count]


def emit_test_cases(emit, half_pi):
    getcontext().prec = 60
    # the nearest doubles of a few binades, and the 12 nearest of all binades
    near = {e: nearest_multiples(half_pi, e, 2) for e in range(-1, 1024)}
    args = []
    for e in (0, 1, 3, 10, 20, 24, 30, 60, 100, 300, 600, 1000, 1023):
        args += [x for _, x in near[e]]
    overall = sorted(c for cs in near.values() for c in cs)
    args += [x for _, x in overall[:12] if x not in args]
    # ends of the reduction paths, huge values, and ordinary ones
    for x in (F(2) ** 25, F(2) ** 25 - F(2) ** -28, F(2) ** 25 + F(2) ** -27, F(10) ** 22,
              F(float(1e300)), F(float(1.7976931348623157e308)), F(float(1e7)), F(float(17453292.5)),
              F(float(0.7853981633974483)), F(float(0.7853981633974484)), F(float(2.356194490192345))):
        args.append(F(x))
    emit("// Generated by tools/elementary_constants.py --test-cases: do not edit.")
    emit("// Hard arguments of sin, cos and tan (the doubles closest to multiples of pi/2 in")
    emit("// several binades, the ends of the reduction paths, huge values) with each function")
    emit("// to 106 bits as hi + lo, computed with pi to 1400 bits.")
    emit("#pragma once")
    emit("")
    emit("// clang-format off")
    emit("namespace orvane::elementary_cases {")
    emit("")
    emit("struct TrigCase {")
    emit("  double x;")
    emit("  double sinHi, sinLo, cosHi, cosLo, tanHi, tanLo;")
    emit("};")
    emit("")
    emit("inline constexpr TrigCase kTrigCases[] = {")
    for x in args:
        xf = F(float(x))
        n = round(xf / half_pi)
        r = xf - n * half_pi
        rd = D(r.numerator) / D(r.denominator)
        s, c = sin_d(rd), cos_d(rd)
        q = n % 4
        sv, cv = [(s, c), (c, -s), (-s, -c), (-c, s)][q]
        tv = sv / cv
        vals = []
        for v in (sv, cv, tv):
            hi, lo = hi_lo(F(v))
            vals += [hexf(hi), hexf(lo)]
        emit(f"    {{{hexf(xf)}, {', '.join(vals)}}},")
    emit("};")
    emit("")
    emit("}  // namespace orvane::elementary_cases")
    emit("// clang-format on")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Reference values of the portable elementary functions, from mpmath at
400 bits, for portable_math_test.cpp: one row per case,

    function x y exact_hi exact_lo

(hexadecimal doubles; y is 0 for the one-argument functions; the exact value
is exact_hi + exact_lo to 106 bits). The cases: points where the reductions
change (table rows, multiples of pi/2 and pi/4, 1/8, 3/32, 4 + 1/32), values
near 1 for the logarithms, huge arguments of sin and cos (among them the
double closest to a multiple of pi/2), the ends of the ranges, subnormals,
and log-uniform random points (fixed seed).

    /usr/bin/python3 tests/wells/portable_math_reference.py \
        > tests/wells/portable_math_reference.txt
"""
import random

import mpmath
from mpmath import mp, mpf

mp.prec = 400

FUNCTIONS = {
    "exp": mpmath.exp, "log": mpmath.log, "log10": mpmath.log10,
    "sin": mpmath.sin, "cos": mpmath.cos, "tanh": mpmath.tanh,
    "atan": mpmath.atan,
}


def near(v, steps=3):
    """v and its neighbours a few doubles away."""
    import math
    out = [v]
    a = b = v
    for _ in range(steps):
        a = math.nextafter(a, math.inf)
        b = math.nextafter(b, -math.inf)
        out += [a, b]
    return out


def log_uniform(rng, lo, hi, n, signed=False):
    import math
    out = []
    for _ in range(n):
        v = math.exp(rng.uniform(math.log(lo), math.log(hi)))
        if signed and rng.random() < 0.5:
            v = -v
        out.append(v)
    return out


def cases(rng):
    import math
    pi = math.pi
    c = {name: [] for name in FUNCTIONS}
    c["pow"] = []
    c["exp"] += near(0.0) + near(1.0) + near(-1.0) + near(709.78) + near(-708.4)
    c["exp"] += near(-745.0) + near(math.log(2) / 256) + [700.0, -740.0, 1e-10]
    c["exp"] += [rng.uniform(-745, 709.7) for _ in range(150)]
    c["exp"] += log_uniform(rng, 1e-8, 20, 60, signed=True)
    for name in ("log", "log10"):
        c[name] += near(1.0, 5) + near(2.0) + near(0.5) + near(10.0)
        c[name] += near(math.sqrt(2)) + near(1.4140625) + near(5e-324)
        c[name] += [2.2250738585072014e-308, 1e-320, 1.7976931348623157e308]
        c[name] += [1 + 1 / 256, 1 + 1 / 128, 1 - 1 / 256, 1e5, 1e-5]
        c[name] += log_uniform(rng, 1e-300, 1e300, 120)
        c[name] += [rng.uniform(0.7, 1.5) for _ in range(60)]
    for name in ("sin", "cos"):
        c[name] += near(pi / 4) + near(pi / 2) + near(pi) + near(3 * pi / 2)
        c[name] += near(2 ** 20 * pi / 2) + near(1e22) + near(1e300)
        c[name] += [6381956970095103.0 * 2.0 ** 797, 5e-324, 1e-300,
                    1.7976931348623157e308, 3.0, 2.0 ** 30, 2.0 ** 60]
        c[name] += [k * pi / 2 for k in range(1, 40)]
        c[name] += [rng.uniform(-pi / 2, pi / 2) for _ in range(80)]
        c[name] += log_uniform(rng, 1e-8, 1e6, 60, signed=True)
        c[name] += log_uniform(rng, 1e6, 1e308, 60, signed=True)
    c["tanh"] += near(0.125) + near(22.0) + near(19.06) + [5e-324, 1e-10]
    c["tanh"] += log_uniform(rng, 1e-9, 25, 150, signed=True)
    c["atan"] += near(0.09375) + near(4.03125) + near(1.0) + [5e-324]
    c["atan"] += [i / 16 + 1 / 32 for i in range(2, 64)]
    c["atan"] += [2.0 ** 60, 1e300, 1e-10]
    c["atan"] += log_uniform(rng, 1e-9, 1e9, 150, signed=True)
    pw = [(2.0, 10.0), (9.0, 0.5), (10.0, -2.0), (1.0000001, 1e9),
          (0.5, 1074.0), (2.0, -1074.0), (2.0, 1023.0), (1.5, 1750.0),
          (5e-324, 0.5), (1e300, 1.02), (-2.0, 3.0), (-8.0, -3.0),
          (0.3, 0.3), (1.7976931348623157e308, 0.999)]
    for _ in range(150):
        pw.append((math.exp(rng.uniform(math.log(1e-6), math.log(1e6))),
                   rng.uniform(-40, 40)))
    for _ in range(40):
        pw.append((rng.uniform(0.01, 3.0), rng.uniform(-3, 3)))
    c["pow"] = pw
    return c


def dd(v):
    hi = float(v)
    return hi, float(v - mpf(hi))


def main():
    rng = random.Random(20)
    print("# function x y exact_hi exact_lo; printed by "
          "portable_math_reference.py (mpmath, 400 bits)")
    for name, xs in cases(rng).items():
        for item in xs:
            if name == "pow":
                x, y = item
                v = mpmath.power(mpf(x), mpf(y))
            else:
                x, y = item, 0.0
                v = FUNCTIONS[name](mpf(x))
            if name in ("log", "log10") and x <= 0:
                continue
            hi, lo = dd(v)
            if hi in (float("inf"), -float("inf")):
                continue
            print(f"{name} {x.hex()} {y.hex()} {hi.hex()} {lo.hex()}")


if __name__ == "__main__":
    main()

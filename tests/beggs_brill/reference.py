#!/usr/bin/env python3
"""Second, independent transcription of the Beggs & Brill correlation.

Written apart from the C++ sources, in another language, straight from the
arithmetic rules: every named value rounded to binary32 when stored, formulas
in binary64 from widened values and float constants. Prints table rows of
host inputs and expected results (as hexadecimal floats) for
reference_test.cpp.
"""
import math
import random
import struct
import sys


def f32(x):
    """Round a binary64 value to binary32 (round to nearest even)."""
    try:
        return struct.unpack("<f", struct.pack("<f", x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


# Every constant of the correlation is a binary32 value.
K = {name: f32(value) for name, value in {
    "g": 32.174, "c316": 316.0, "e302": 0.302, "c2": 0.0009252,
    "e2": 2.4684, "c3": 0.1, "e3": 1.4516, "c4": 0.5, "e4": 6.738,
    "lo": 0.01, "hi": 0.4, "nlv": 1.938, "q": 0.25, "deg": 180.0,
    "pi": 3.14159, "s18": 1.8, "k333": 0.333, "three": 3.0, "low": 0.2,
    "up": 0.924, "down": 0.685, "one": 1.0, "twelve": 12.0, "re": 1488.0,
    "fr": 9266.112, "sq": 144.0, "eight": 0.8, "ft": 3.28084,
    "dens": 16.01838, "milli": 1000.0, "inch": 0.0254, "psi": 14.7,
    "pa": 100000.0, "pa_psi": 6895.0, "m_ft": 3.2808,
}.items()}

HORIZONTAL = {"seg": (0.98, 0.4846, 0.0868), "int": (0.845, 0.5351, 0.0173),
              "dis": (1.065, 0.5824, 0.0609)}
INCLINED = {"seg": (0.011, -3.768, 3.539, -1.614),
            "int": (2.96, 0.305, -0.4473, 0.0978),
            "down": (4.7, -0.3692, 0.1244, -0.5056)}


def moody(renum, rruff):
    if not renum > f32(2000.0):
        return f32(f32(64.0) / renum)
    band = renum <= f32(4000.0)
    re = f32(4000.0) if band else renum
    f = f32(f32(0.0056) + f32(0.5) / math.pow(re, f32(0.32)))
    fails = 0
    while True:
        a = f32(rruff / f32(3.7) + f32(2.51) / (re * math.pow(f, f32(0.5))))
        fnew = f32(f32(0.25) / math.log10(a) ** 2)
        r = f32((f - fnew) / fnew)
        f = fnew
        if abs(r) <= f32(0.0001):
            break
        fails += 1
        if fails > 20:
            break
    if band:
        c = f32(0.032)
        return f32((4000.0 * c - 2000.0 * f + (f - c) * renum) / 2000.0)
    return f


def frnbb(renum, rruff, frnl, hl):
    fn = moody(renum, rruff)
    if frnl == 0.0:
        s = 0.0
    else:
        y = f32(frnl / (hl * hl))
        lny = f32(math.log(y))
        if f32(1.0) < y < f32(1.2):
            s = f32(math.log(f32(2.2) * y - f32(1.2)))
        else:
            den = (f32(0.01853) * math.pow(lny, 4.0)
                   + ((f32(3.182) * lny - f32(0.0523))
                      - f32(0.8725) * math.pow(lny, 2.0)))
            s = f32(lny / den)
    ftp = f32(fn * math.exp(s))
    return ftp


def pattern_holdup(kind, lam, nfr, nlv, arad, down):
    a, b, c = (f32(v) for v in HORIZONTAL[kind])
    hl0 = f32(a * math.pow(lam, b) / math.pow(nfr, c))
    hl0 = min(hl0, 1.0) if hl0 > 1.0 else hl0
    if hl0 < lam:
        hl0 = lam
    if kind == "dis":
        return hl0
    d, e, f, g = (f32(v) for v in INCLINED["down" if down else kind])
    cc = f32((1.0 - lam) * math.log(d * math.pow(lam, e) * math.pow(nlv, f)
                                      * math.pow(nfr, g)))
    if cc < 0.0:
        cc = 0.0
    s = f32(math.sin(K["s18"] * arad))
    psi = f32(1.0 + cc * (s - K["k333"] * math.pow(s, K["three"])))
    hl = f32(hl0 * psi)
    if hl < f32(K["low"] * lam):
        hl = f32(K["low"] * lam)
    if hl > 1.0:
        hl = 1.0
    return hl


def bbi(vsl, vsg, dl, dg, visl, visg, ruff, stenl, pidft, arad):
    """(DPg, hl, regime, failed) in field units."""
    vals = (vsl, vsg, dl, dg, visl, visg, ruff, stenl, pidft, arad)
    if not all(math.isfinite(v) for v in vals) or vsl < 0 or vsg < 0 or (
            vsl == 0 and vsg == 0) or pidft <= 0 or dl <= 0 or stenl <= 0:
        return 0.0, 0.0, -1, True
    lam2 = f32(vsl / (vsl + vsg))
    if not f32(visl * lam2 + visg * (1.0 - lam2)) > 0:
        return 0.0, 0.0, -1, True
    vm = f32(vsl + vsg)
    nfr = f32(vm * vm / (K["g"] * pidft))
    lam = f32(vsl / vm)
    l1 = f32(K["c316"] * math.pow(lam, K["e302"]))
    with_zero = lam == 0.0
    l2 = math.inf if with_zero else f32(K["c2"] / math.pow(lam, K["e2"]))
    l3 = math.inf if with_zero else f32(K["c3"] / math.pow(lam, K["e3"]))
    l4 = math.inf if with_zero else f32(K["c4"] / math.pow(lam, K["e4"]))
    lo, hi = K["lo"], K["hi"]
    if lam < lo and nfr < l1:
        regime = 5
    elif lam >= lo and nfr < l2:
        regime = 5
    elif lam >= lo and l2 <= nfr <= l3:
        regime = 6
    elif lo <= lam < hi and l3 < nfr <= l1:
        regime = 7
    elif lam >= hi and l3 <= nfr <= l4:
        regime = 7
    elif lam < hi and nfr >= l1:
        regime = 8
    elif lam >= hi and nfr > l4:
        regime = 8
    else:
        return 0.0, 0.0, -1, True
    nlv = f32(K["nlv"] * vsl * math.pow(dl / stenl, K["q"]))
    down = f32(arad * K["deg"] / K["pi"]) < 0.0
    args = (lam, nfr, nlv, arad, down)
    if regime == 5:
        hl = pattern_holdup("seg", *args)
    elif regime == 7:
        hl = pattern_holdup("int", *args)
    elif regime == 8:
        hl = pattern_holdup("dis", *args)
    else:
        hseg = pattern_holdup("seg", *args)
        hint = pattern_holdup("int", *args)
        wa = 1.0 if l3 == l2 else f32((l3 - nfr) / (l3 - l2))
        wb = f32(1.0 - wa)
        hl = f32(wa * hseg + wb * hint)
    if down:
        hl = f32(K["down"] * hl)
    else:
        hl = f32(K["up"] * hl)
        if hl < lam:
            hl = lam
    rruff = f32(ruff / (K["twelve"] * pidft))
    rhos = f32(dl * hl + dg * (1.0 - hl))
    rhon = f32(dl * lam2 + dg * (1.0 - lam2))
    visn = f32(visl * lam2 + visg * (1.0 - lam2))
    renum = f32(K["re"] * rhon * vm * pidft / visn)
    ftp = frnbb(renum, rruff, lam2, hl)
    fric = f32(ftp * rhon * vm * vm / (K["fr"] * pidft))
    rho = dg if (arad < 0.0 and lam2 < K["eight"]) else rhos
    elev = f32(math.sin(arad) * rho / K["sq"])
    dpg = f32(fric + elev)
    if not math.isfinite(dpg):
        return 0.0, 0.0, -1, True
    return dpg, hl, regime, False


def convert(usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi):
    return (f32(usl * K["ft"]), f32(usg * K["ft"]), f32(rol / K["dens"]),
            f32(rog / K["dens"]), f32(visl * K["milli"]),
            f32(visg * K["milli"]), f32(eps / K["inch"]),
            f32(sigma * K["milli"]), f32(diam * K["ft"]),
            f32(fi / K["deg"] * K["pi"]))


def entry(host):
    dpg, hl, regime, failed = bbi(*convert(*host))
    dp = dpg * K["pa_psi"] * K["m_ft"]
    return dp, hl, regime, 3 if failed else 0


def log_uniform(rng, lo, hi):
    return 10.0 ** rng.uniform(lo, hi)


def random_point(rng):
    usl = 0.0 if rng.random() < 0.04 else log_uniform(rng, -3.0, 1.0)
    usg = 0.0 if rng.random() < 0.04 else log_uniform(rng, -3.0, 1.6)
    if usl == 0.0 and usg == 0.0:
        usg = 1.0
    laminar = rng.random() < 0.1
    visl = log_uniform(rng, -1.0, 1.0) if laminar else log_uniform(rng, -4, -1)
    fi = 0.0 if rng.random() < 0.1 else rng.uniform(-90.0, 90.0)
    return (usl, usg, rng.uniform(500.0, 1100.0), rng.uniform(0.5, 150.0),
            visl, log_uniform(rng, -5.3, -4.3), log_uniform(rng, -6.0, -3.3),
            rng.uniform(0.005, 0.08), rng.uniform(0.02, 1.0), fi)


def main():
    rng = random.Random(20261208)
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 400
    for _ in range(count):
        host = random_point(rng)
        single = tuple(f32(v) for v in host)
        dp2, hl2, id2, ierr2 = entry(single)
        dp3, hl3, id3, ierr3 = entry(host)
        print("    {{%s}, %s, %s, %d, %d, %s, %s, %d, %d}," % (
            ", ".join(float.hex(v) for v in host),
            float.hex(f32(dp2)), float.hex(hl2), id2, ierr2,
            float.hex(dp3), float.hex(hl3), id3, ierr3))


if __name__ == "__main__":
    main()

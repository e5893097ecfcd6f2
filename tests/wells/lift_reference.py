#!/usr/bin/python3
"""Second, independent transcription of HB_3, DR_3 and GRAY_3.

Written apart from the C++ sources, in another language and in field units
throughout (ft, s, lbm/ft3, dyn/cm, cp, psia; gradients in psf/ft, then
converted to Pa/m), straight from the published equations:
  Hagedorn & Brown modified with Griffith & Wallis bubble flow, the chart
  fits of Guo, Lyons & Ghalambor (2007);
  Duns & Ros (1963) with the mist-flow roughness (no acceleration term), the
  same provisional chart tables as the C++ source (they are data, not a
  formula: both read the same numbers);
  Gray (API 14B, 1974).
Prints one row per point: the 11 inputs (SI), then dp, holdup, pattern, or
"fail" and the reason, for lift_reference_test.cpp:

    /usr/bin/python3 tests/wells/lift_reference.py > tests/wells/lift_reference.txt
"""
import math
import random

FT = 0.3048
LBFT3 = 16.01846337396014
PSI = 6894.757293168361
G = 9.80665
G_FT = G / FT  # ft/s2
GC = G_FT  # lbm ft / (lbf s2): exactly standard gravity in ft/s2
# Reynolds number rho v d / mu in lbm/ft3, ft/s, ft, cp: the exact form of
# the textbooks' 1488 (1 cp = 0.001 kg/(m s) in lbm/(ft s)).
RE_FIELD = 1.0 / (0.001 * FT / 0.45359237)
PA_PER_PSF_FT = (PSI / 144.0) / FT  # (lbf/ft2)/ft -> Pa/m


def colebrook(re, rr):
    x = 7.0
    for _ in range(200):
        nxt = -2.0 * math.log10(rr / 3.7 + 2.51 * x / re)
        if abs(nxt - x) < 1e-15 * x:
            x = nxt
            break
        x = nxt
    return 1.0 / (x * x)


def moody(re, rr):
    if re <= 2000.0:
        return 64.0 / re
    if re >= 4000.0:
        return colebrook(re, rr)
    lam, tur = 64.0 / 2000.0, colebrook(4000.0, rr)
    return lam + (re - 2000.0) / 2000.0 * (tur - lam)


def field(pt):
    """The point in field units."""
    return dict(vsl=pt["usl"] / FT, vsg=pt["usg"] / FT, rl=pt["rol"] / LBFT3,
                rg=pt["rog"] / LBFT3, ml=pt["visl"] * 1000.0,
                mg=pt["visg"] * 1000.0, eps=pt["eps"] / FT,
                sig=pt["sigma"] * 1000.0, d=pt["diam"] / FT, fi=pt["fi"],
                p=pt["p"] / PSI)


def friction_psf(f, rho, v, d):
    """Darcy friction gradient f rho v^2 / (2 gc d), psf/ft."""
    return f * rho * v * v / (2.0 * GC * d)


def wall_psf(rho, v, mu, d, rr):
    re = RE_FIELD * rho * v * d / mu
    return friction_psf(moody(re, rr), rho, v, d)


def sin_deg(fi):
    return math.sin(math.radians(fi))


def screen(pt, reads_p):
    vals = [pt[k] for k in KEYS]
    if any(not math.isfinite(v) for v in vals):
        return "an input is not a finite number"
    if pt["usl"] < 0 or pt["usg"] < 0:
        return "superficial velocities must not be negative"
    if pt["usl"] == 0 and pt["usg"] == 0:
        return "superficial velocities must not both be zero"
    if not pt["diam"] > 0:
        return "pipe diameter must be positive"
    if pt["eps"] < 0:
        return "pipe roughness must not be negative"
    if not -90 <= pt["fi"] <= 90:
        return "inclination must lie between -90 and 90 degrees"
    liq, gas = pt["usl"] > 0, pt["usg"] > 0
    if liq and not pt["rol"] > 0:
        return "liquid density must be positive"
    if gas and not pt["rog"] > 0:
        return "gas density must be positive"
    if liq and not pt["visl"] > 0:
        return "liquid viscosity must be positive"
    if gas and not pt["visg"] > 0:
        return "gas viscosity must be positive"
    if liq and gas:
        if not pt["rol"] > pt["rog"]:
            return "liquid density must exceed gas density"
        if not pt["sigma"] > 0:
            return "surface tension must be positive"
        if reads_p and not pt["p"] > 0:
            return "pressure must be positive"
    return None


def single(pt):
    f = field(pt)
    liq = f["vsl"] > 0
    rho, v, mu = (f["rl"], f["vsl"], f["ml"]) if liq else (f["rg"], f["vsg"], f["mg"])
    grad = rho * sin_deg(f["fi"]) * G_FT / GC + wall_psf(rho, v, mu, f["d"], f["eps"] / f["d"])
    return grad * PA_PER_PSF_FT, 1.0 if liq else 0.0, 17 if liq else 18


def numbers(f):
    k = (f["rl"] / f["sig"]) ** 0.25
    return (1.938 * f["vsl"] * k, 1.938 * f["vsg"] * k,
            120.872 * f["d"] * math.sqrt(f["rl"] / f["sig"]),
            0.15726 * f["ml"] * (1.0 / (f["rl"] * f["sig"] ** 3)) ** 0.25, k)


# --- Hagedorn & Brown ---------------------------------------------------
def hb_cnl(nl):
    x = min(max(nl, 0.002), 0.5)
    return ((0.0019 + 0.0322 * x - 0.6642 * x ** 2 + 4.9951 * x ** 3) /
            (1 - 10.0147 * x + 33.8696 * x ** 2 + 277.2817 * x ** 3))


def hb_hpsi(x):
    v = math.sqrt((0.0047 + 1123.32 * x + 729489.64 * x ** 2) /
                  (1 + 1097.1566 * x + 722153.97 * x ** 2))
    return min(v, 1.0)


def hb_psi(y):
    if y <= 0.0106347447546369:
        return 1.0
    a = min(y, 0.09)
    v = ((1.0886 - 69.9473 * a + 2334.3497 * a ** 2 - 12896.683 * a ** 3) /
         (1 - 53.4401 * a + 1517.9369 * a ** 2 - 8419.8115 * a ** 3))
    return max(v, 1.0)


def hagedorn_brown(pt):
    bad = screen(pt, True)
    if bad:
        return bad
    if pt["usl"] == 0 or pt["usg"] == 0:
        return single(pt)
    f = field(pt)
    vm = f["vsl"] + f["vsg"]
    lam = f["vsl"] / vm
    lb = max(1.071 - 0.2218 * vm * vm / f["d"], 0.13)
    s = sin_deg(f["fi"])
    if f["vsg"] / vm < lb:
        vs = 0.8
        hl = 1 - 0.5 * (1 + vm / vs - math.sqrt((1 + vm / vs) ** 2 - 4 * f["vsg"] / vs))
        hl = max(hl, lam)
        rhos = f["rl"] * hl + f["rg"] * (1 - hl)
        fr = wall_psf(f["rl"], f["vsl"] / hl, f["ml"], f["d"], f["eps"] / f["d"])
        return (rhos * s * G_FT / GC + fr) * PA_PER_PSF_FT, hl, 19
    nlv, ngv, nd, nl, _ = numbers(f)
    x = nlv / ngv ** 0.575 * (f["p"] / 14.7) ** 0.1 * hb_cnl(nl) / nd
    y = ngv * nl ** 0.38 / nd ** 2.14
    hl = min(max(hb_hpsi(x) * hb_psi(y), lam), 1.0)
    rhon = f["rl"] * lam + f["rg"] * (1 - lam)
    rhos = f["rl"] * hl + f["rg"] * (1 - hl)
    mus = f["ml"] ** hl * f["mg"] ** (1 - hl)
    re = RE_FIELD * rhon * vm * f["d"] / mus
    fr = moody(re, f["eps"] / f["d"]) * rhon ** 2 * vm ** 2 / (2 * GC * f["d"] * rhos)
    return (rhos * s * G_FT / GC + fr) * PA_PER_PSF_FT, hl, 20


# --- Duns & Ros ------------------------------------------------------------
ND = [10, 20, 30, 40, 50, 60, 80, 100, 300]
L1 = [2.0, 2.0, 1.7, 1.35, 1.1, 1.0, 1.0, 1.0, 1.0]
L2 = [0.4, 0.55, 0.75, 0.9, 1.0, 1.05, 1.1, 1.1, 1.1]
NL = [0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0]
F = {
    1: [1.3, 1.3, 1.3, 1.35, 1.5, 1.75, 2.0, 1.9, 1.7],
    2: [0.24, 0.24, 0.24, 0.22, 0.17, 0.12, 0.08, 0.06, 0.05],
    3: [1.0, 1.05, 1.15, 1.3, 1.6, 2.0, 2.6, 3.2, 3.5],
    4: [25, 28, 32, 38, 47, 55, 60, 60, 60],
    5: [0.22, 0.2, 0.18, 0.15, 0.11, 0.08, 0.06, 0.04, 0.03],
    6: [0.8, 0.6, 0.3, -0.1, -0.4, 0.2, 1.2, 2.0, 2.2],
    7: [0.12, 0.1, 0.08, 0.06, 0.045, 0.035, 0.03, 0.025, 0.02],
}
F2X = [1e-3, 1e-2, 0.1, 1, 10, 100]
F2Y = [1.0, 0.98, 0.85, 0.55, 0.3, 0.18]


def chart(xs, ys, x):
    lx = math.log10(x)
    lxs = [math.log10(v) for v in xs]
    if lx <= lxs[0]:
        return ys[0]
    for i in range(1, len(xs)):
        if lx <= lxs[i]:
            w = (lx - lxs[i - 1]) / (lxs[i] - lxs[i - 1])
            return ys[i - 1] + w * (ys[i] - ys[i - 1])
    return ys[-1]


def dr_slip(f, nd, S, k):
    """Holdup and gradient parts (psf/ft) for slip number S."""
    vs = S / (1.938 * k)
    vm = f["vsl"] + f["vsg"]
    root = math.sqrt((vm - vs) ** 2 + 4 * vs * f["vsl"])
    if vs >= vm:
        hl = (vs - vm + root) / (2 * vs)
    else:  # the same root, rationalised: no cancellation for vs << vm
        hl = 2 * f["vsl"] / (vm - vs + root)
    hl = min(max(hl, f["vsl"] / vm), 1.0)
    rhos = f["rl"] * hl + f["rg"] * (1 - hl)
    re = RE_FIELD * f["rl"] * f["vsl"] * f["d"] / f["ml"]
    f1 = moody(re, f["eps"] / f["d"])
    r = f["vsg"] / f["vsl"]
    f2 = chart(F2X, F2Y, f1 * r * nd ** (2 / 3))
    f3 = 1 + f1 * math.sqrt(r / 50)
    fr = f1 * f2 / f3 * f["rl"] * f["vsl"] * vm / (2 * GC * f["d"])
    return hl, rhos * sin_deg(f["fi"]) * G_FT / GC, fr


def dr_mist(f, rg):
    vm = f["vsl"] + f["vsg"]
    lam = f["vsl"] / vm
    rhon = f["rl"] * lam + rg * (1 - lam)
    # Weber and viscosity numbers in field form, roughness eps (ft):
    # N_We = 454 rho_g vsg^2 eps / sigma, N_mu = mu_L^2 / (rho_L sigma eps)
    # (cp^2 / (lbm/ft3 dyn/cm ft)) times its own constant; their product:
    sig_si = f["sig"] / 1000.0
    we_mu = ((rg * LBFT3) * (f["vsg"] * FT) ** 2 * (f["ml"] / 1000.0) ** 2 /
             ((f["rl"] * LBFT3) * sig_si ** 2))
    q = (rg * LBFT3) * (f["vsg"] * FT) ** 2
    if we_mu <= 0.005:
        eps = 0.0749 * sig_si / q
    else:
        eps = 0.3713 * sig_si / q * we_mu ** 0.302
    rel = min(max(eps / (f["d"] * FT), 0.001), 0.5)
    eps_ft = rel * f["d"]
    d = f["d"] - eps_ft
    v = f["vsg"] * (f["d"] / d) ** 2
    rr = min(eps_ft / d, 0.5)
    if rr > 0.05:
        ff = 4 * (1 / (4 * math.log10(0.27 * rr)) ** 2 + 0.067 * rr ** 1.73)
    else:
        ff = moody(RE_FIELD * rg * v * d / f["mg"], rr)
    fr = friction_psf(ff, rg, v, d)
    el = rhon * sin_deg(f["fi"]) * G_FT / GC
    # No acceleration term: the host adds acceleration itself.
    return lam, el, fr


def duns_ros(pt):
    bad = screen(pt, False)
    if bad:
        return bad
    if pt["usl"] == 0 or pt["usg"] == 0:
        return single(pt)
    f = field(pt)
    nlv, ngv, nd, nl, k = numbers(f)
    bs = chart(ND, L1, nd) + chart(ND, L2, nd) * nlv
    st = 50 + 36 * nlv
    tm = 75 + 84 * nlv ** 0.75
    Fv = {i: chart(NL, F[i], nl) for i in F}
    if ngv < bs:
        S = Fv[1] + Fv[2] * nlv + (Fv[3] - Fv[4] / nd) * (ngv / (1 + nlv)) ** 2
        hl, el, fr = dr_slip(f, nd, max(S, 0.0), k)
        return (el + fr) * PA_PER_PSF_FT, hl, 21
    S = (1 + Fv[5]) * (ngv ** 0.982 + 0.029 * nd + Fv[6]) / (1 + Fv[7] * nlv) ** 2
    if ngv < st:
        hl, el, fr = dr_slip(f, nd, max(S, 0.0), k)
        return (el + fr) * PA_PER_PSF_FT, hl, 22
    if ngv < tm:
        a = (tm - ngv) / (tm - st)
        hs, es, fs = dr_slip(f, nd, max(S, 0.0), k)
        hm, em, fm = dr_mist(f, f["rg"] * ngv / tm)
        dp = a * (es + fs) + (1 - a) * (em + fm)
        return dp * PA_PER_PSF_FT, a * hs + (1 - a) * hm, 23
    hm, em, fm = dr_mist(f, f["rg"])
    return (em + fm) * PA_PER_PSF_FT, hm, 24


# --- Gray ------------------------------------------------------------------
def gray(pt):
    bad = screen(pt, False)
    if bad:
        return bad
    if pt["usl"] == 0 or pt["usg"] == 0:
        return single(pt)
    f = field(pt)
    vm = f["vsl"] + f["vsg"]
    lam = f["vsl"] / vm
    rhon = f["rl"] * lam + f["rg"] * (1 - lam)
    mun = f["ml"] * lam + f["mg"] * (1 - lam)
    # sigma in lbm/s2: dyn/cm = 1e-3 N/m = 1e-3 kg/s2 = 1e-3/0.45359237 lbm/s2
    sig = f["sig"] * 1e-3 / 0.45359237
    drho = f["rl"] - f["rg"]
    n1 = rhon ** 2 * vm ** 4 / (G_FT * sig * drho)
    n2 = G_FT * f["d"] ** 2 * drho / sig
    r = f["vsl"] / f["vsg"]
    n3 = 0.0814 * (1 - 0.0554 * math.log(1 + 730 * r / (r + 1)))
    fe = -2.314 * (n1 * (1 + 205 / n2)) ** n3
    hl = 1 - (1 - lam) * (1 - math.exp(fe))
    r0 = 28.5 * sig / (rhon * vm ** 2)  # ft
    eps = r0 if r >= 0.007 else f["eps"] + r * (r0 - f["eps"]) / 0.007
    eps = max(eps, 2.77e-5)
    rr = min(eps / f["d"], 0.5)
    rhos = f["rl"] * hl + f["rg"] * (1 - hl)
    fr = wall_psf(rhon, vm, mun, f["d"], rr)
    return (rhos * sin_deg(f["fi"]) * G_FT / GC + fr) * PA_PER_PSF_FT, hl, 25


KEYS = ["usl", "usg", "rol", "rog", "visl", "visg", "eps", "sigma", "diam",
        "fi", "p"]


def random_point(rng, gas_well):
    lu = lambda lo, hi: math.exp(rng.uniform(math.log(lo), math.log(hi)))
    pt = dict(usl=lu(1e-3, 4.0), usg=lu(1e-3, 40.0), rol=rng.uniform(550, 1100),
              rog=lu(0.8, 250), visl=lu(2e-4, 0.08), visg=rng.uniform(1e-5, 3e-5),
              eps=rng.choice([0.0, 1.5e-5, 4.6e-5, 1e-4]),
              sigma=rng.uniform(0.004, 0.075), diam=rng.uniform(0.025, 0.16),
              fi=rng.choice([90.0, 90.0, 75.0, 45.0, 10.0, 0.0, -30.0, -90.0]),
              p=lu(2e5, 3.5e7))
    if gas_well:
        pt["usl"] = lu(1e-4, 0.05)
        pt["usg"] = lu(1.0, 25.0)
        pt["rog"] = lu(2.0, 150.0)
    return pt


def special_points():
    base = dict(usl=1.2101, usg=1.1765, rol=762.64, rog=94.19, visl=9.7e-4,
                visg=1.6e-5, eps=1.8288e-5, sigma=8.41e-3, diam=0.1524, fi=90.0,
                p=1.1721e7)
    out = []
    for change in [{}, {"usg": 0.0}, {"usl": 0.0}, {"fi": 0.0}, {"fi": -90.0},
                   {"fi": 30.0}, {"usl": 0.0, "usg": 0.0}, {"diam": 0.0},
                   {"usl": -1.0}, {"eps": -1e-6}, {"fi": 91.0}, {"p": 0.0},
                   {"sigma": 0.0}, {"rog": 800.0}, {"visl": 0.0},
                   {"usg": 0.0, "rog": 0.0}, {"usl": 0.0, "rol": -5.0}]:
        pt = dict(base)
        pt.update(change)
        out.append(pt)
    return out


def main():
    rng = random.Random(3)
    print("# correlation usl usg rol rog visl visg eps sigma diam fi p "
          "then dp holdup pattern, or fail and the reason; printed by "
          "lift_reference.py")
    points = special_points()
    points += [random_point(rng, False) for _ in range(150)]
    points += [random_point(rng, True) for _ in range(60)]
    for name, fn in (("HB_3", hagedorn_brown), ("DR_3", duns_ros),
                     ("GRAY_3", gray)):
        for pt in points:
            res = fn(pt)
            head = name + " " + " ".join(float(pt[k]).hex() for k in KEYS)
            if isinstance(res, str):
                print(f"{head} fail {res}")
            else:
                dp, hl, pat = res
                print(f"{head} {dp.hex()} {hl.hex()} {pat}")


if __name__ == "__main__":
    main()

import sys
import numpy as np
from opm.io.ecl import ESmry
from opm.io.parser import Parser, ParseContext

deck = Parser().parse(sys.argv[1] + ".DATA", ParseContext())
kw = deck["VFPPROD"]
print("VFPPROD records:", len(kw))
def show(rec):
    out = []
    for i in range(len(rec)):
        it = rec[i]
        if it.is_string(): v = it.get_str(0)
        elif it.is_int(): v = it.get_int(0)
        else: v = it.get_raw_data_list()
        out.append((it.name(), v))
    return out
for r in range(7):
    print(r, show(kw[r]))

# table as 5-D array [thp, wfr, gfr, alq, flo]
flo = np.array(kw[1][0].get_raw_data_list()); thp = np.array(kw[2][0].get_raw_data_list())
wfr = np.array(kw[3][0].get_raw_data_list()); gfr = np.array(kw[4][0].get_raw_data_list())
alq = np.array(kw[5][0].get_raw_data_list())
B = np.zeros((len(thp), len(wfr), len(gfr), len(alq), len(flo)))
for r in range(6, len(kw)):
    rec = kw[r]
    t, w, g, a = (rec[i].get_int(0) - 1 for i in range(4))
    B[t, w, g, a] = rec[4].get_raw_data_list()

def lin(axis, x):
    # index and weight; linear extrapolation beyond the ends
    if len(axis) == 1: return 0, 0.0
    i = int(np.clip(np.searchsorted(axis, x) - 1, 0, len(axis) - 2))
    return i, (x - axis[i]) / (axis[i + 1] - axis[i])

def interp(q, p, wc, gor):
    it, wt = lin(thp, p); iw, ww = lin(wfr, wc); ig, wg = lin(gfr, gor); iq, wq = lin(flo, q)
    v = 0.0
    for dt in (0, 1):
        for dw in (0, 1):
            for dg in (0, 1):
                for dq in (0, 1):
                    c = (wt if dt else 1 - wt) * (ww if dw else 1 - ww) * (wg if dg else 1 - wg) * (wq if dq else 1 - wq)
                    if c: v += c * B[it + dt, iw + dw, ig + dg, 0, iq + dq]
    return v

s = ESmry(sys.argv[1] + ".SMSPEC")
rep = lambda k: np.array(s[k, True], dtype=float)
opr, wpr, gpr, bhp, whp = (rep(k + ":PROD") for k in ("WOPR", "WWPR", "WGPR", "WBHP", "WTHP"))
print("report TIME", rep("TIME"))
for i in range(len(bhp)):
    q = opr[i] + wpr[i]; wc = wpr[i] / q; gor = gpr[i] / opr[i]
    print(f"q={q:8.2f} wct={wc:.5f} gor={gor:7.2f} thp={whp[i]:5.1f}  WBHP={bhp[i]:8.3f}  table={interp(q, whp[i], wc, gor):8.3f}")

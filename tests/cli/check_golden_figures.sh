#!/usr/bin/env bash
# The design-layer figures of the golden transcript, judged again without the
# program: for every case of cases.txt that designs (--freq or --band), each
# designed row's parts (as built: their Q, where it holds, the package's or
# the self-resonance's parasitics) are put into a ladder computed here with
# numpy from chain matrices, and every figure the program printed is
# recomputed from the documented models: the match and the standard match at
# F, the efficiency, the insertion loss and 2f and 3f, the VSWR-2 band's
# edges, the figures over the band, the Bode-Fano limit of the series R-L
# load in closed form, the best by number of parts, and the yield and its
# corners by a Monte Carlo of this script's own. The transcript guards only
# against change; this says the figures are right.
# Usage: check_golden_figures.sh VORDA_MATCH CASES
set -euo pipefail
exe="$1" cases="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
n=0
while IFS= read -r line; do
  case "$line" in "" | "#"*) continue ;; esac
  case " $line " in *" --freq "* | *" --band "*) ;; *) continue ;; esac
  eval "args=($line)"
  n=$((n + 1))
  "$exe" --json --type all "${args[@]}" >"$dir/$n.json" 2>/dev/null || true
  printf '%s\n' "$line" >"$dir/$n.args"
done <"$cases"
/usr/bin/python3 - "$dir" "$n" <<'PY'
import json, math, sys, warnings
warnings.simplefilter("ignore")
import numpy as np

folder, count = sys.argv[1], int(sys.argv[2])
TAU = 2 * math.pi
# The packages' typical parasitics (README): a capacitor's series L, an
# inductor's parallel C.
PACKAGES = {"0201": (0.3e-9, 0.05e-12), "0402": (0.5e-9, 0.08e-12), "0603": (0.8e-9, 0.12e-12),
            "0805": (1.0e-9, 0.16e-12), "1206": (1.2e-9, 0.22e-12)}
checked = 0
worst = 0.0

def near(what, ours, theirs, rel=1e-9, absolute=1e-12):
    global checked, worst
    checked += 1
    if ours is None or theirs is None:
        assert ours is None and theirs is None, f"{what}: {ours} against {theirs}"
        return
    d = abs(ours - theirs)
    worst = max(worst, d / max(abs(theirs), 1e-300))
    assert d <= rel * abs(theirs) + absolute, f"{what}: the program says {ours}, here {theirs}"

def number(v, none):
    return none if isinstance(v, str) else v

def part_z(kind, value, f, inp, nominal=None):
    """A part's impedance at f with the inputs' model; its parasitics are
    those of its nominal value (a build within the tolerance keeps them)."""
    w = TAU * f
    inductor = kind == "L"
    x = w * value if inductor else -1 / (w * value)
    q = number(inp.get("q_inductors" if inductor else "q_capacitors", "ideal"), None)
    r = 0.0
    if q is not None:
        q_at = inp.get("q_at_hz")
        if q_at:
            wq = TAU * q_at
            r = (wq * value if inductor else 1 / (wq * value)) / q
            if inductor:
                r *= math.sqrt(f / q_at)
        else:
            r = abs(x) / q
    z = complex(r, x)
    pkg = PACKAGES.get(inp.get("package", ""), (0.0, 0.0))
    srf = inp.get("srf_inductors_hz" if inductor else "srf_capacitors_hz")
    if srf:
        other = 1 / ((TAU * srf) ** 2 * (nominal or value))  # resonating with the part at srf
    else:
        other = pkg[1] if inductor else pkg[0]
    if inductor and other > 0:
        z = 1 / (1 / z + 1j * w * other)
    if not inductor and other > 0:
        z += 1j * w * other
    return z

def lossless(inp):
    return {k: v for k, v in inp.items() if k not in ("q_inductors", "q_capacitors")}

def chain(parts, f, inp):
    m = np.eye(2, dtype=complex)
    for position, kind, value, *nominal in parts:
        z = part_z(kind, value, f, inp, *nominal)
        m = m @ (np.array([[1, z], [0, 1]]) if position == "series" else np.array([[1, 0], [1 / z, 1]]))
    return m

def load_at(inp, f):
    r, x, f0 = inp["load_r_ohms"], inp["load_x_ohms"], inp["frequency_hz"]
    if x == 0:
        return complex(r, 0)
    return complex(r, x * f / f0 if x > 0 else x * f0 / f)  # a series L or C

def figures(parts, f, inp):
    zl, rs = load_at(inp, f), inp["z0_ohms"]
    (a, b), (c, d) = chain(parts, f, inp)
    zin = (a * zl + b) / (c * zl + d)
    g = abs((zin - rs) / (zin + rs))
    vs = a + b / zl + rs * (c + d / zl)  # for 1 V across the load
    gain = 4 * rs * (1 / zl).real / abs(vs) ** 2
    v_in, i_in = a + b / zl, c + d / zl
    efficiency = (1 / zl).real / (v_in * i_in.conjugate()).real
    return zin, g, gain, efficiency

def db(g):
    return None if g <= 1e-9 else -20 * math.log10(g)

def vswr(g):
    return (1 + g) / (1 - g) if g < 1 else None

def loss_db(x):
    return 0.0 if x > 1 - 1e-12 else -10 * math.log10(x)

def parts_of(row):
    """The parts as built, source side first: standard values where chosen."""
    if "elements" in row:
        return [(e["position"], e["kind"], e.get("standard", e.get("henries", e.get("farads"))))
                for e in row["elements"] if e["kind"] in ("L", "C")]
    out = []
    for which in ("first", "second"):
        p = row[which]
        if p["part"] not in ("inductor", "capacitor"):
            continue
        key = "henries" if p["part"] == "inductor" else "farads"
        value = p.get("standard", {}).get(key, p[key])
        out.append(("series" if p["component"].startswith("Series") else "shunt",
                    "L" if p["part"] == "inductor" else "C", value))
    return out

def judge(row, inp, band, name):
    parts, f = parts_of(row), inp["frequency_hz"]
    zin, g, gain, eff = figures(parts, f, inp)
    near(name + " Zin r", row["match"]["zin"][0], zin.real, 1e-9, 1e-9)
    near(name + " return loss", row["match"]["return_loss_db"], db(g), 1e-7)
    near(name + " VSWR", row["match"]["vswr"], vswr(g))
    if "standard_match" in row:
        sz, sg, _, _ = figures(parts, f, lossless(inp))
        near(name + " standard return loss", row["standard_match"]["return_loss_db"], db(sg), 1e-7)
    if "loss" in row:
        near(name + " efficiency", row["loss"]["efficiency"], min(eff, 1.0))
        near(name + " dissipation", row["loss"]["dissipation_db"], loss_db(min(eff, 1.0)), 1e-7, 1e-12)
    il = loss_db(min(gain, 1.0))
    near(name + " insertion loss", row["insertion_loss_db"], il, 1e-7, 1e-12)
    for k, key in ((2, "attenuation_2f_db"), (3, "attenuation_3f_db")):
        _, _, gk, _ = figures(parts, k * f, inp)
        near(f"{name} {k}f", row[key], loss_db(min(gk, 1.0)) - il, 1e-7, 1e-9)
    edges = row.get("bandwidth", {})
    for edge, inward in (("low", 1), ("high", -1)):
        hz = edges.get(edge)
        if hz is not None:  # VSWR 2 there, within it just inside
            inside = vswr(figures(parts, hz * (1 + inward * 1e-8), inp)[1])
            outside = vswr(figures(parts, hz * (1 - inward * 1e-8), inp)[1])
            assert inside <= 2 + 1e-9 and (outside is None or outside > 2 - 1e-6), (name, edge)
            checked_edge()
    if band is not None:
        judge_band(row, parts, inp, band, name)

def checked_edge():
    global checked
    checked += 1

def judge_band(row, parts, inp, band, name):
    hz = np.linspace(band["start"], band["stop"], int(inp["band_points"]))
    gs = [figures(parts, h, inp) for h in hz]
    gammas = [x[1] for x in gs]
    b = row["band"]
    near(name + " worst return loss", b["worst_return_loss_db"], db(max(gammas)), 1e-7)
    near(name + " mean return loss", b["mean_return_loss_db"], db(sum(gammas) / len(gammas)), 1e-7)
    near(name + " VSWR-2 share", b["vswr2_coverage"],
         sum(1 for g in gammas if (1 + g) <= 2 * (1 - g)) / len(gammas))
    near(name + " worst insertion loss", b["worst_insertion_loss_db"],
         loss_db(min(min(x[2] for x in gs), 1.0)), 1e-7, 1e-12)
    for key, h in (("dissipation_low_db", band["start"]), ("dissipation_centre_db", inp["frequency_hz"]),
                   ("dissipation_high_db", band["stop"])):
        near(f"{name} {key}", b[key], loss_db(min(figures(parts, h, inp)[3], 1.0)), 1e-7, 1e-12)

def bode_fano(inp, band):
    # A series R-L load: |gamma| >= exp(-pi R / (L (w2 - w1))) over the band.
    r, x, f0 = inp["load_r_ohms"], inp["load_x_ohms"], inp["frequency_hz"]
    l = x / (TAU * f0)
    return 20 * math.pi * r / (l * TAU * (band["stop"] - band["start"])) / math.log(10)

def monte_carlo(row, inp, band, builds=20000):
    """The yield, the corners' yield and the worst corner, drawn here."""
    parts = parts_of(row)
    tol = inp["tolerance"]
    hz = [inp["frequency_hz"]] if band is None else list(np.linspace(band["start"], band["stop"], 201 if inp["band_points"] > 201 else int(inp["band_points"])))
    goal = inp["goal"]
    g_goal = (goal - 1) / (goal + 1)
    def worst(values):
        p = [(pos, kind, v, n) for (pos, kind, n), v in zip(parts, values)]
        return max(figures(p, h, inp)[1] for h in hz)
    share = [tol["L" if kind == "L" else "C"] for _, kind, _ in parts]
    nominal = [v for _, _, v in parts]
    rng = np.random.default_rng(7)
    met = 0
    for _ in range(builds):
        values = [v * (1 + t * rng.uniform(-1, 1)) for v, t in zip(nominal, share)]
        met += worst(values) <= g_goal
    corners = []
    for c in range(2 ** len(parts)):
        corners.append(worst([v * (1 + (1 if (c >> i) & 1 else -1) * t)
                              for i, (v, t) in enumerate(zip(nominal, share))]))
    return met / builds, sum(1 for g in corners if g <= g_goal) / len(corners), max(corners)

for k in range(1, count + 1):
    doc = json.load(open(f"{folder}/{k}.json"))
    args = open(f"{folder}/{k}.args").read().split()
    inp = doc["inputs"]
    band = doc.get("band")
    tol = None
    if "--tolerance" in args:
        t = args[args.index("--tolerance") + 1]
        if "=" in t:
            tol = {p.split("=")[0]: float(p.split("=")[1].rstrip("%")) / 100 for p in t.split(",")}
        else:
            tol = {"L": float(t.rstrip("%")) / 100, "C": float(t.rstrip("%")) / 100}
        tol.setdefault("L", 0.0)
        tol.setdefault("C", 0.0)
    inp["tolerance"] = tol
    inp["goal"] = float(args[args.index("--goal-vswr") + 1]) if "--goal-vswr" in args else 2.0
    rows = [r for r in doc["runs"] if r.get("verdict") == "designed"] + doc.get("networks", [])
    if band:
        rows += band["designs"]
    for i, row in enumerate(rows):
        name = f"case {k} {row.get('key', 'type %s' % row.get('type'))}"
        judge(row, inp, band, name)
        if tol is not None and "yield" in row and i < 4:
            y, corners, worst_corner = monte_carlo(row, inp, band, 4000 if band else 20000)
            builds = 300 if band else 1000
            n_here = 4000 if band else 20000
            sigma = math.sqrt(max(y * (1 - y), 1e-4) * (1 / builds + 1 / n_here))
            assert abs(row["yield"]["yield"] - y) <= 4 * sigma + 1e-9, (name, row["yield"]["yield"], y)
            p = (row["yield"]["yield"] * builds + 2) / (builds + 4)
            near(name + " yield's noise", row["yield"]["yield_noise"], math.sqrt(p * (1 - p) / (builds + 4)))
            near(name + " corners' yield", row["yield"]["corners_yield"], corners)
            near(name + " worst corner", row["yield"]["worst_corner_db"], db(worst_corner), 1e-7)
    if band:
        near(f"case {k} Bode-Fano", band["bode_fano"]["worst_return_loss_db"], bode_fano(inp, band), 1e-6)
        # The best of each number of parts: by the worst return loss, or for
        # the transducer gain by the worst gain itself (its loss's negative).
        by_rl = band["figure"] == "return loss"
        for entry in band["best_by_parts"]:
            best = max(((d["band"]["worst_return_loss_db"] if by_rl else -d["band"]["worst_insertion_loss_db"])
                        for d in band["designs"]
                        if len([e for e in d["elements"] if e["kind"] in ("L", "C")]) == entry["parts"]),
                       default=None)
            key = "worst_return_loss_db" if by_rl else "worst_margin_db"
            near(f"case {k} best of {entry['parts']} parts", entry[key], best, 1e-7, 1e-12)
print(f"golden figures: {checked} figures of {count} cases recomputed independently, "
      f"within {worst:.1e} of vorda-match's")
PY

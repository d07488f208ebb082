#!/usr/bin/env bash
# Lines and stubs against scikit-rf (python3-skrf): networks of series lines
# and open and shorted stubs, lossless and lossy (a conductor loss growing
# with the square root of the frequency, a dielectric one with it), given to
# vorda-match and written as a two-port over a sweep, equal at every
# frequency to the same network built from scikit-rf's lines of the same
# delay and attenuation; and --extend, there and back, returns the measured
# load, the way there agreeing with scikit-rf's line taken off the load.
# (scikit-rf refers its lines to other impedances through their Z matrices,
# which a line a half wave long has none of: the sweep keeps clear of them.)
# Usage: check_lines_skrf.sh VORDA_MATCH
set -euo pipefail
exe="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cases=(
  "series line 50ohm 90deg@2.4G"
  "series line 75ohm 30deg@1G, shunt stub open 40ohm 12.5mm vf=0.66"
  "shunt stub short 100ohm 40ps, series 3.3nH, series line 35ohm 20mm vf=0.7 loss=0.4dB@2.4G dloss=0.2dB@2.4G"
  "shunt stub open 60ohm 55deg@2G loss=0.3dB@1G, series line 50ohm 120ps dloss=0.1dB@3G, shunt 1.5pF"
)
i=0
for network in "${cases[@]}"; do
  i=$((i + 1))
  "$exe" --freq 2.4G --type 1 --network "$network" --topology given --sweep 0.5G:5.9G:55 \
    --s2p "$dir/$i.s2p" 40 30 >/dev/null
  printf '%s\n' "$network" >"$dir/$i.txt"
done
# A measured load moved along a line and back.
printf '# GHz S RI R 50\n1 0.3 0.2\n2 -0.1 0.4\n3 0.25 -0.35\n4 0.5 0.1\n' >"$dir/load.s1p"
for d in 25ps -25ps; do
  "$exe" --s1p "$dir/load.s1p" --extend "$d" --sweep --csv "$dir/ext$d.csv" --freq 2G --type all \
    --json >"$dir/ext$d.json" 2>/dev/null
done
/usr/bin/python3 - "$dir" "$i" >"$dir/out" 2>&1 <<'PY' || { cat "$dir/out"; exit 1; }
import sys, warnings
warnings.simplefilter("ignore")
import numpy as np
# Debian 12's scikit-rf 0.15 still spells numpy's complex type np.complex,
# which numpy 1.24 no longer has (its renormalize needs it).
np.complex = complex
import skrf
from skrf.media import DefinedGammaZ0

folder, count = sys.argv[1], int(sys.argv[2])
C = 299792458.0
NP_PER_DB = np.log(10) / 20

def length_seconds(word, at):
    if word.endswith("ps"):
        return float(word[:-2]) * 1e-12
    if word.endswith("mm"):
        return float(word[:-2]) * 1e-3 / (at["vf"] * C)
    deg, f = word.split("@")
    scale = {"G": 1e9, "M": 1e6}[f[-1]]
    return float(deg[:-3]) / 360 / (float(f[:-1]) * scale)

def frequency(word):
    return float(word[:-1]) * {"G": 1e9, "M": 1e6}[word[-1]]

def element(text, freq):
    words = text.split()
    position = words[0]
    if words[1] in ("line", "stub"):
        end = words[2] if words[1] == "stub" else None
        rest = words[3:] if end else words[2:]
        z = float(rest[0][:-3])
        at = {"vf": 1.0}
        for w in rest:
            if w.startswith("vf="):
                at["vf"] = float(w[3:])
        tau = length_seconds(rest[1], at)
        f = freq.f
        alpha = np.zeros_like(f)
        for w in rest:
            if w.startswith("loss=") or w.startswith("dloss="):
                db, f0 = w.split("=")[1].split("@")
                grow = np.sqrt(f / frequency(f0)) if w[0] == "l" else f / frequency(f0)
                alpha += float(db[:-2]) * grow * NP_PER_DB
        d = tau * C  # metres in a medium of the speed of light
        media = DefinedGammaZ0(freq, z0=z, gamma=alpha / d + 1j * 2 * np.pi * f / C)
        if position == "series":
            net = media.line(d, "m")
        elif end == "open":
            net = media.shunt_delay_open(d, "m")
        else:
            net = media.shunt_delay_short(d, "m")
        net.renormalize(50)
        return net
    media = DefinedGammaZ0(freq, z0=50)
    value = words[1]
    number = float(value[:-2]) * {"n": 1e-9, "p": 1e-12}[value[-2]]
    if value.endswith("H"):
        return media.inductor(number) if position == "series" else media.shunt_inductor(number)
    return media.capacitor(number) if position == "series" else media.shunt_capacitor(number)

worst = 0.0
for k in range(1, count + 1):
    ours = skrf.Network(f"{folder}/{k}.s2p")
    text = open(f"{folder}/{k}.txt").read().strip()
    theirs = None
    for part in text.split(", "):
        net = element(part, ours.frequency)
        theirs = net if theirs is None else theirs ** net
    d = np.max(np.abs(ours.s - theirs.s))
    worst = max(worst, d)
    assert d < 1e-9, f"{text}: scikit-rf differs by {d:g}"

# --extend 25 ps and back: the measured load again, and 25 ps the same as
# scikit-rf's line of that delay taken off the measured load.
import json, pandas
load = skrf.Network(f"{folder}/load.s1p")
there = pandas.read_csv(f"{folder}/ext25ps.csv")
back = pandas.read_csv(f"{folder}/ext-25ps.csv")
freq = skrf.Frequency.from_f(there["frequency_hz"].values, unit="hz")
media = DefinedGammaZ0(freq, z0=50, gamma=1j * 2 * np.pi * freq.f / C)
line = media.line(25e-12 * C, "m")
moved = line.inv ** load.interpolate(freq)
rl_moved = -20 * np.log10(np.abs(moved.s[:, 0, 0]))
assert np.max(np.abs(rl_moved - there["load_return_loss_db"])) < 1e-9, "--extend differs from scikit-rf"
doc = json.load(open(f"{folder}/ext25ps.json"))
gamma = moved.s[list(moved.f).index(2e9), 0, 0]
zl = 50 * (1 + gamma) / (1 - gamma)
got = complex(*doc["measured_load"]["load"])
assert abs(got - zl) < 1e-9 * abs(zl), f"--extend's load at 2 GHz: {got} against {zl}"
print(f"scikit-rf: {count} networks of lines and stubs within {worst:.1e}; --extend agrees")
PY
cat "$dir/out"

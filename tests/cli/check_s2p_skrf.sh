#!/usr/bin/env bash
# The two-port file vorda-match writes, read by scikit-rf (python3-skrf, as a
# user's simulator reads it): a band design on the measured dipole, port 2
# terminated in the dipole's own file, gives at every frequency the return
# loss vorda-match reports for that design; the same in Touchstone 2.0.
set -euo pipefail
exe="$1" dipole="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
for version in 1.1 2.0; do
  "$exe" --s1p "$dipole" --band 14M:14.35M --band-points 21 --sweep 13.5M:14.8M:27 --topology pi-lp \
    --s2p "$dir/d.s2p" --s2p-version "$version" --csv "$dir/d.csv" >/dev/null
  [ "$version" = 1.1 ] || continue  # Debian's scikit-rf 0.15 reads version 1 files only
  /usr/bin/python3 - "$dir/d.s2p" "$dipole" "$dir/d.csv" <<'PY'
import sys, warnings
warnings.simplefilter("ignore")
import numpy as np, pandas, skrf
net = skrf.Network(sys.argv[1])
load = skrf.Network(sys.argv[2]).interpolate(net.frequency, kind="linear")
matched = net ** load  # port 2 closed in the measured load
ours = pandas.read_csv(sys.argv[3])
assert np.allclose(ours["frequency_hz"], net.f), "the frequencies differ"
rl = -20 * np.log10(np.abs(matched.s[:, 0, 0]))
worst = np.max(np.abs(rl - ours["band-pi-lp_return_loss_db"]))
assert worst < 1e-6, "scikit-rf differs by %g dB" % worst
print("scikit-rf: %d points, return loss within %.1e dB of vorda-match's" % (len(net.f), worst))
PY
done

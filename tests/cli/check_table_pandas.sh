#!/usr/bin/env bash
# The table vorda-match writes (the designer's "Save Table") read by pandas
# as it is, with only comment="#" for the inputs' lines: one row for each
# design of the JSON document, numbers where numbers are, and the inputs
# that reproduce it.
set -euo pipefail
exe="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
args=(--freq 100M --series E12 --q-l 60 --loaded-q 5 --source 45-j10 --band 90M:110M
      --band-points 21 --type all 40 30)
"$exe" "${args[@]}" --table-csv "$dir/t.csv" --json >"$dir/t.json"
/usr/bin/python3 - "$dir/t.csv" "$dir/t.json" <<'PY'
import json, sys
import pandas as pd
table = pd.read_csv(sys.argv[1], comment="#")
doc = json.load(open(sys.argv[2]))
rows = len(doc["runs"]) + len(doc.get("networks", [])) + len(doc["band"]["designs"])
assert len(table) == rows, (len(table), rows)
assert table["return loss (dB)"].dtype.kind == "f", table["return loss (dB)"].dtype
designed = table[table["verdict"] == "designed"]
assert len(designed) > 10 and designed["worst return loss over the band (dB)"].notna().all()
band = table[table["origin"] == "over the band"]
assert len(band) == len(doc["band"]["designs"])
inputs = [l for l in open(sys.argv[1]) if l.startswith("#")]
for want in ("# source (ohms): 45-j10", "# loaded q (pi and t): 5", "# band (Hz): 90000000:110000000"):
    assert any(l.startswith(want) for l in inputs), want
print("pandas reads %d rows and %d columns" % table.shape)
PY

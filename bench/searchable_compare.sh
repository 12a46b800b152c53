#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Searchable PDF of three 300 dpi pages against `tesseract pages.txt out pdf`: wall time, and
# the character accuracy of what pdftotext reads back from each result.
# Usage: bench/searchable_compare.sh [build-dir] [runs]   (default: build 3)
# Pages: pages 1-3 of bench/data/text.pdf drawn at 300 dpi (2550 x 3300 pixels, grey).
# Targets: at most half of tesseract's wall time; at least 98 % character accuracy.
set -euo pipefail
build=${1:-build}; runs=${2:-3}
cli="$build/tools/quire-cli"
[ -x "$cli" ] || { echo "build $cli first (make build)" >&2; exit 1; }
command -v pdftotext >/dev/null || { echo "pdftotext missing: run scripts/setup" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

mkdir "$work/pages"
"$cli" images "$here/data/text.pdf" --dpi 300 --pages 1-3 -o "$work/pages" > "$work/pages.txt"
mapfile -t pages < "$work/pages.txt"
for i in 1 2 3; do pdftotext -f "$i" -l "$i" "$here/data/text.pdf" "$work/truth-$i.txt"; done

# Median wall time of the runs, the two tools taking turns.
quire=(); tess=()
for _ in $(seq "$runs"); do
  /usr/bin/time -f %e -o "$work/t" "$cli" pdf --searchable --page-size photo "${pages[@]}" \
    -o "$work/quire.pdf" > /dev/null
  quire+=("$(cat "$work/t")"); rm -f "$work/quire.pdf"
  /usr/bin/time -f %e -o "$work/t" tesseract "$work/pages.txt" "$work/tess" pdf 2> /dev/null
  tess+=("$(cat "$work/t")")
done
"$cli" pdf --searchable --page-size photo "${pages[@]}" -o "$work/quire.pdf" > /dev/null
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
qt=$(median "${quire[@]}"); tt=$(median "${tess[@]}")

# Character accuracy: 1 - edit distance / reference length, whitespace runs made one space.
accuracy() { # pdf
  python3 - "$1" "$work" <<'PY'
import re, subprocess, sys
pdf, work = sys.argv[1], sys.argv[2]
def norm(s): return re.sub(r"\s+", " ", s).strip()
def distance(a, b):
    prev = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        cur = [i]
        for j, cb in enumerate(b, 1):
            cur.append(min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (ca != cb)))
        prev = cur
    return prev[-1]
errors = total = 0
for i in (1, 2, 3):
    truth = norm(open(f"{work}/truth-{i}.txt").read())
    got = norm(subprocess.run(["pdftotext", "-f", str(i), "-l", str(i), pdf, "-"],
                              capture_output=True, text=True).stdout)
    errors += distance(truth, got); total += len(truth)
print(f"{100 * (1 - errors / total):.2f}")
PY
}
qa=$(accuracy "$work/quire.pdf"); ta=$(accuracy "$work/tess.pdf")
printf "%-10s %12s %14s %12s\n" tool "median s" "accuracy %" "bytes"
printf "%-10s %12s %14s %12s\n" quire "$qt" "$qa" "$(stat -c %s "$work/quire.pdf")"
printf "%-10s %12s %14s %12s\n" tesseract "$tt" "$ta" "$(stat -c %s "$work/tess.pdf")"
awk "BEGIN{ok = ($qt <= $tt / 2) && ($qa >= 98); print (ok ? \"targets met\" : \"targets missed\"); exit !ok}"

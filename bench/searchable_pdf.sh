#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# An existing PDF of page images made searchable, against ocrmypdf with the same number of jobs:
# wall time, and the word accuracy of what pdftotext reads back from each result.
# Usage: bench/searchable_pdf.sh [build-dir] [runs] [jobs]   (default: build 3 2)
# Input: pages 1-3 of bench/data/text.pdf drawn at 300 dpi, made into a PDF of pictures alone.
# Targets: at most half of ocrmypdf's wall time; at least 98 % word accuracy.
set -euo pipefail
build=${1:-build}; runs=${2:-3}; jobs=${3:-2}
cli="$build/tools/quire-cli"
[ -x "$cli" ] || { echo "build $cli first (make build)" >&2; exit 1; }
for tool in pdftotext ocrmypdf; do
  command -v $tool >/dev/null || { echo "$tool missing" >&2; exit 1; }
done
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

mkdir "$work/pages"
"$cli" images "$here/data/text.pdf" --dpi 300 --pages 1-3 -o "$work/pages" > "$work/pages.txt"
mapfile -t pages < "$work/pages.txt"
"$cli" pdf --page-size letter --margin 0 "${pages[@]}" -o "$work/scans.pdf" > /dev/null
for i in 1 2 3; do pdftotext -f "$i" -l "$i" "$here/data/text.pdf" "$work/truth-$i.txt"; done

# Median wall time of the runs, the two tools taking turns.
quire=(); peer=()
for _ in $(seq "$runs"); do
  rm -f "$work/quire.pdf" "$work/ocrmypdf.pdf"
  /usr/bin/time -f %e -o "$work/t" "$cli" ocr "$work/scans.pdf" --searchable --jobs "$jobs" \
    -o "$work/quire.pdf" > /dev/null
  quire+=("$(cat "$work/t")")
  /usr/bin/time -f %e -o "$work/t" ocrmypdf -q --jobs "$jobs" "$work/scans.pdf" "$work/ocrmypdf.pdf"
  peer+=("$(cat "$work/t")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
qt=$(median "${quire[@]}"); pt=$(median "${peer[@]}")

# Word accuracy: 1 - word edit distance / words of the reference.
accuracy() { # pdf
  python3 - "$1" "$work" <<'PY'
import subprocess, sys
pdf, work = sys.argv[1], sys.argv[2]
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
    truth = open(f"{work}/truth-{i}.txt").read().split()
    got = subprocess.run(["pdftotext", "-f", str(i), "-l", str(i), pdf, "-"],
                         capture_output=True, text=True).stdout.split()
    errors += distance(truth, got); total += len(truth)
print(f"{100 * (1 - errors / total):.2f}")
PY
}
qa=$(accuracy "$work/quire.pdf"); pa=$(accuracy "$work/ocrmypdf.pdf")
in=$(stat -c %s "$work/scans.pdf")
printf "%-10s %10s %12s %12s %12s\n" tool "median s" "words %" "bytes" "input bytes"
printf "%-10s %10s %12s %12s %12s\n" quire "$qt" "$qa" "$(stat -c %s "$work/quire.pdf")" "$in"
printf "%-10s %10s %12s %12s %12s\n" ocrmypdf "$pt" "$pa" "$(stat -c %s "$work/ocrmypdf.pdf")" "$in"
awk "BEGIN{ok = ($qt <= $pt / 2) && ($qa >= 98); print (ok ? \"targets met\" : \"targets missed\"); exit !ok}"

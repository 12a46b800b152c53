#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Images to PDF against img2pdf on the same photos: wall time, output size and peak memory.
# Usage: bench/topdf_compare.sh [build-dir] [count] [width] [height]   (default: build 100 4000 3000)
# Targets: at most half of img2pdf's wall time; under 400 MB peak memory.
set -euo pipefail
build=${1:-build}; count=${2:-100}; w=${3:-4000}; h=${4:-3000}
bench="$build/bench/topdf_bench"
[ -x "$bench" ] || { echo "build $bench first (make build)" >&2; exit 1; }
if ! command -v img2pdf >/dev/null; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  flock /tmp/quire-apt.lock $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends img2pdf >&2
fi
dir=${QUIRE_BENCH_PHOTOS:-/tmp/quire-bench-photos/${w}x${h}}
export QT_QPA_PLATFORM=offscreen
"$bench" photos "$dir" "$count" "$w" "$h"
photos=$(ls "$dir"/photo-*.jpg | head -n "$count")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run() { # name, command...: best wall time of three runs and the largest peak memory
  local name=$1; shift
  local best= peak=0
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$out/time" "$@" >/dev/null
    read -r t m < "$out/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    [ "$m" -gt "$peak" ] && peak=$m
  done
  echo "$name $best $peak"
}

q=$(run quire "$bench" pdf "$out/quire.pdf" $photos)
i=$(run img2pdf img2pdf $photos -o "$out/img2pdf.pdf")
qpdf --check "$out/quire.pdf" >/dev/null
printf "%-8s %8s %10s %10s\n" tool "wall s" "size MB" "peak MB"
for r in "$q" "$i"; do
  set -- $r
  f="$out/$1.pdf"
  printf "%-8s %8s %10.1f %10.1f\n" "$1" "$2" "$(echo "$(stat -c %s "$f") / 1000000" | bc -l)" "$(echo "$3 / 1024" | bc -l)"
done
set -- $q; qt=$2; qm=$3; set -- $i; it=$2
awk "BEGIN{ok = ($qt <= $it / 2) && ($qm < 400 * 1024); print (ok ? \"targets met\" : \"targets missed\"); exit !ok}"

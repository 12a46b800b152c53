#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A very large JPEG resized to 2,000 px wide: `quire-cli resize --width 2000 -o out.jpg` against
# `vipsthumbnail --size 2000x` (which, like Quire, lets libjpeg scale the DCT while decoding),
# alternating; wall time and peak memory (of the largest process) of each run.
#
#   bench/resize_vs_vips.sh [--side N] [--runs N] [--photo FILE.jpg] [--tiff]
#
# The input is a camera photo (Debian's mate-backgrounds) enlarged by vips to N × N (default
# 30,000: 900 megapixels), a baseline JPEG at quality 90; with --tiff, a TIFF in deflated tiles
# of 256 × 256 (as scanners and map tools write large pictures).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
side=30000
runs=3
photo=/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg
big=big.jpg
save="Q=90,strip"
while [ $# -gt 0 ]; do
  case "$1" in
    --side) side=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --photo) photo=$2; shift 2 ;;
    --tiff) big=big.tif; save="compression=deflate,tile,tile-width=256,tile-height=256,strip"; shift ;;
    -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
command -v vipsthumbnail >/dev/null || { echo "needs libvips-tools" >&2; exit 1; }
[ -x "$root/build/tools/quire-cli" ] || make -C "$root" build >&2
cli=$root/build/tools/quire-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUIRE_DOCUMENTS=$work/documents

w=$(vipsheader -f width "$photo"); h=$(vipsheader -f height "$photo")
hscale=$(awk -v s="$side" -v w="$w" 'BEGIN{printf "%.6f", s / w}')
vscale=$(awk -v s="$side" -v h="$h" 'BEGIN{printf "%.6f", s / h}')
vips resize "$photo" "$work/$big[$save]" "$hscale" --vscale "$vscale"
echo "input: $(vipsheader -f width "$work/$big") × $(vipsheader -f height "$work/$big"), $(( $(stat -c %s "$work/$big") / 1024 / 1024 )) MB"

declare -A times peaks
timed() { # name command...
  local name=$1; shift
  rm -f "$work"/out.jpg
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
    echo "failed: $name" >&2; cat "$work/err" >&2; exit 1; }
  read -r seconds kb < "$work/time"
  times[$name]+="$seconds "; peaks[$name]+="$(( kb / 1024 )) "
}
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for _ in $(seq 1 "$runs"); do
  timed quire "$cli" resize "$work/$big" --width 2000 -o "$work/out.jpg"
  timed vips vipsthumbnail "$work/$big" --size 2000x -o "$work/out.jpg"
done
q=$(echo "${times[quire]}" | median); v=$(echo "${times[vips]}" | median)
echo "| tool | median wall (s) | ratio to vips | peak MB (largest) |"
echo "|---|---:|---:|---:|"
echo "| quire | $q | $(awk -v a="$q" -v b="$v" 'BEGIN{printf "%.2f", a / b}') | $(echo "${peaks[quire]}" | tr ' ' '\n' | sort -g | tail -1) |"
echo "| vips | $v | 1.00 | $(echo "${peaks[vips]}" | tr ' ' '\n' | sort -g | tail -1) |"
echo "runs: $runs, alternating; $(nproc) cores; load average $(cut -d' ' -f1-3 /proc/loadavg)"

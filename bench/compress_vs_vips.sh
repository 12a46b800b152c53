#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Compression of a real camera photo against `vips copy in.jpg out.jpg[Q=25]`: one photo, then a
# batch of eight, alternating runs; wall time, output bytes and PSNR against the original.
#
#   bench/compress_vs_vips.sh [--photo FILE.jpg] [--runs N] [--baseline]
#
# --baseline re-encodes the photo first as a one-scan JPEG at quality 92 (as most cameras write).
#
# Without --photo it uses a 5640 × 3172 camera photo from Debian's mate-backgrounds package.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
baseline=0
photo=/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg
while [ $# -gt 0 ]; do
  case "$1" in
    --photo) photo=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --baseline) baseline=1; shift ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

need=(libvips-tools imagemagick)
[ "$photo" = /usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg ] && need+=(mate-backgrounds)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}" >&2
fi

[ -x "$root/build/tools/quire-cli" ] || make -C "$root" build >&2
cli=$root/build/tools/quire-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUIRE_DOCUMENTS=$work/documents
cores=$(nproc)

if [ "$baseline" = 1 ]; then
  vips copy "$photo" "$work/baseline.jpg[Q=92]"
  photo=$work/baseline.jpg
fi
mkdir -p "$work/batch"
for i in $(seq 1 8); do cp "$photo" "$work/batch/photo$i.jpg"; done

declare -A times
timed() { # name outdir command...
  local name=$1 out=$2; shift 2
  rm -rf "$out"; mkdir -p "$out"
  # To the millisecond: a single photo takes about a tenth of a second.
  local start=$EPOCHREALTIME
  "$@" > /dev/null 2> "$work/err" || { echo "failed: $name" >&2; cat "$work/err" >&2; exit 1; }
  times[$name]+="$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN{printf "%.3f", b - a}') "
}
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for _ in $(seq 1 "$runs"); do
  timed one/quire "$work/q1" "$cli" compress "$photo" -o "$work/q1" --quality 0.25
  timed one/vips "$work/v1" vips copy "$photo" "$work/v1/out.jpg[Q=25]"
  timed batch/quire "$work/q8" "$cli" compress "$work"/batch/*.jpg -o "$work/q8" --quality 0.25
  # vips on every core as well: one process per photo, $cores at a time.
  timed batch/vips "$work/v8" bash -c 'ls "$1"/*.jpg | xargs -P "$2" -I{} sh -c '\''vips copy "$1" "$3/$(basename "$1")[Q=25]"'\'' _ {} {} "$3"' _ "$work/batch" "$cores" "$work/v8"
done

psnr() { compare -metric PSNR "$photo" "$1" null: 2>&1 | awk '{print $1}'; }
bytes() { du -sb "$1" | cut -f1; }
one_q=$(echo "${times[one/quire]}" | median); one_v=$(echo "${times[one/vips]}" | median)
b_q=$(echo "${times[batch/quire]}" | median); b_v=$(echo "${times[batch/vips]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a / b}'; }

echo "| run | tool | median wall (s) | ratio to vips | output bytes | PSNR (dB) |"
echo "|---|---|---:|---:|---:|---:|"
echo "| one photo | quire | $one_q | $(ratio "$one_q" "$one_v") | $(bytes "$work/q1") | $(psnr "$work"/q1/*.jpg) |"
echo "| one photo | vips | $one_v | 1.00 | $(bytes "$work/v1") | $(psnr "$work/v1/out.jpg") |"
echo "| 8 photos | quire | $b_q | $(ratio "$b_q" "$b_v") | $(bytes "$work/q8") | |"
echo "| 8 photos | vips ($cores at once) | $b_v | 1.00 | $(bytes "$work/v8") | |"
echo
echo "Photo: $(basename "$photo") ($(vipsheader -f width "$photo") × $(vipsheader -f height "$photo")); runs: $runs, alternating; $cores cores."

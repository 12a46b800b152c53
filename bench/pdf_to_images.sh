#!/usr/bin/env bash
# PDF to PNG pages at 144 dpi: Quire's page renderer against mutool draw and pdftoppm on the same
# text-heavy document (default: the gnuplot manual, 300+ pages). Prints pages per second, bytes
# written and peak memory of each whole process.
#   bench/pdf_to_images.sh [document.pdf]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

need=()
command -v mutool >/dev/null || need+=(mupdf-tools)
command -v pdftoppm >/dev/null || need+=(poppler-utils)
[ -x /usr/bin/time ] || need+=(time)
pdf=${1:-/usr/share/doc/gnuplot/gnuplot.pdf}
[ -n "${1:-}" ] || [ -f "$pdf" ] || need+=(gnuplot-doc)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  flock /tmp/quire-apt.lock $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${need[@]}" >&2
fi
cmake --build "$build" --target pagerenderer_bench >/dev/null

pages=$(qpdf --show-npages "$pdf")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME OUTDIR COMMAND...: one timed run; prints a row of the table.
run() {
  local name=$1 out=$2; shift 2
  mkdir -p "$out"
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  read -r secs kb <"$work/time"
  local bytes; bytes=$(find "$out" -name '*.png' -printf '%s\n' | awk '{s+=$1} END {print s+0}')
  local files; files=$(find "$out" -name '*.png' | wc -l)
  awk -v n="$name" -v s="$secs" -v p="$files" -v b="$bytes" -v k="$kb" \
    'BEGIN { printf "%-10s %6d %8.1f %10.2f %12.1f %10.1f\n", n, p, s, p / s, b / 1e6, k / 1024 }'
}

echo "document: $pdf ($pages pages), 144 dpi, $(nproc) cores"
printf "%-10s %6s %8s %10s %12s %10s\n" tool pages seconds pages/s output_MB peak_MB
run quire "$work/quire" env QUIRE_BENCH_PDF="$pdf" QUIRE_BENCH_OUT="$work/quire" \
  "$build/bench/pagerenderer_bench" --benchmark_format=json
run mutool "$work/mutool" mutool draw -q -r 144 -o "$work/mutool/p%d.png" "$pdf"
run pdftoppm "$work/pdftoppm" pdftoppm -r 144 -png "$pdf" "$work/pdftoppm/p"

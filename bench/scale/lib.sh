# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scale-out recipes: inputs made on the spot, the job each input gets, and the
# checks after a run that was killed and resumed. Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cli=${QUIRE_CLI:-$root/build/tools/quire-cli}
[ -x "$cli" ] || { echo "no quire-cli at $cli (make build first, or set QUIRE_CLI)" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

# make_inputs DIR PHOTOS PDFS: PHOTOS photos and PDFS three-page PDFs in DIR/src, listed in
# DIR/manifest (photos and PDFs interleaved). Names have spaces, as real archives do. Past 24
# photos and 8 PDFs the rest are copies under their own names: the same work, made faster.
make_inputs() {
    local dir=$1 photos=$2 pdfs=$3 i
    mkdir -p "$dir/src" "$dir/seeds"
    for ((i = 0; i < 24; i++)); do # plain-text PPM pictures, each its own size and tint
        awk -v t="$i" 'BEGIN { w = 160 + t % 7 * 24; h = 120 + t % 5 * 16
            print "P3", w, h, 255; for (y = 0; y < h; y++) for (x = 0; x < w; x++)
            print (x * 2 + t * 37) % 256, (y * 3 + t * 11) % 256, (x + y + t * 90) % 256 }' \
            >"$dir/seeds/photo $i.ppm"
    done
    "$cli" compress --quality 0.9 -o "$dir/seeds" "$dir"/seeds/*.ppm >/dev/null
    for ((i = 0; i < pdfs && i < 8; i++)); do
        "$cli" pdf "$dir/seeds/photo $i.ppm" "$dir/seeds/photo $((i + 8)).ppm" \
            "$dir/seeds/photo $((i + 16)).ppm" -o "$dir/seeds/scan $i.pdf" >/dev/null
    done
    : >"$dir/manifest"
    for ((i = 0; i < photos || i < pdfs; i++)); do
        if ((i < photos)); then
            cp "$dir/seeds/photo $((i % 24)).jpg" "$dir/src/photo $i.jpg"
            echo "$dir/src/photo $i.jpg" >>"$dir/manifest"
        fi
        if ((i < pdfs)); then
            cp "$dir/seeds/scan $((i % 8)).pdf" "$dir/src/scan $i.pdf"
            echo "$dir/src/scan $i.pdf" >>"$dir/manifest"
        fi
    done
}

# quire_job OUT STATUS [quire-cli options...] -- INPUT...: what one engine task runs. Photos are
# compressed and PDFs turned into page images, both named after the input in OUT, resumable.
quire_job() {
    local out=$1 status=$2 photos=() pdfs=() rc=0
    shift 2
    local opts=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do opts+=("$1"); shift; done
    shift
    for f in "$@"; do
        case $f in *.pdf) pdfs+=("$f") ;; *) photos+=("$f") ;; esac
    done
    if [ ${#photos[@]} -gt 0 ]; then
        "$cli" compress --skip-existing -o "$out" --status "$status" "${opts[@]}" "${photos[@]}" \
            >/dev/null || rc=$?
    fi
    if [ ${#pdfs[@]} -gt 0 ] && [ $rc -ne 130 ]; then
        "$cli" images --skip-existing -o "$out" --status "$status" "${opts[@]}" "${pdfs[@]}" \
            >/dev/null || rc=$?
    fi
    return $rc
}

# check_run OUT REFERENCE MANIFEST STATUS...: after a killed and resumed run, every input is
# finished (a last pass skips them all), none was done twice, no duplicate or partial file is
# left, and every output is byte-identical to the reference single local run.
check_run() {
    local out=$1 ref=$2 manifest=$3
    shift 3
    local again
    again=$(mktemp)
    mapfile -t inputs <"$manifest"
    quire_job "$out" "$again" -- "${inputs[@]}"
    python3 - "$manifest" "$again" "$@" <<'PY'
import collections, json, sys
inputs = [l.rstrip("\n") for l in open(sys.argv[1]) if l.strip()]
last = [json.loads(l) for l in open(sys.argv[2]) if '"input"' in l]
runs = [json.loads(l) for f in sys.argv[3:] for l in open(f) if '"input"' in l]
bad = [l["input"] for l in last if l["status"] != "skipped"]
assert not bad, f"not finished: {bad}"
assert sorted(l["input"] for l in last) == sorted(inputs), "the last pass missed inputs"
done = collections.Counter(l["input"] for l in runs if l["status"] == "done")
twice = [i for i, n in done.items() if n > 1]
assert not twice, f"done twice: {twice}"
print(f"{len(inputs)} inputs finished, {sum(done.values())} done by the engine, none twice")
PY
    rm -f "$again"
    if find "$out" -name '.quire-*' -o -regex '.*-[0-9]+\.jpg' -o -regex '.*-[0-9]+-[0-9]+\.png' |
        grep -q .; then
        echo "partial or duplicate files left:" >&2
        find "$out" -name '.quire-*' -o -regex '.*-[0-9]+\.jpg' -o -regex '.*-[0-9]+-[0-9]+\.png' >&2
        return 1
    fi
    diff -r "$ref" "$out" >/dev/null || { echo "outputs differ from one local run" >&2; diff -rq "$ref" "$out" >&2; return 1; }
    echo "outputs byte-identical to one local run ($(find "$out" -type f | wc -l) files)"
}

# split_manifest DATA: DATA/manifest split into DATA/photos.list and DATA/pdfs.list, as the
# shared folder of an array job holds them.
split_manifest() {
    grep -v '\.pdf$' "$1/manifest" >"$1/photos.list" || true
    grep '\.pdf$' "$1/manifest" >"$1/pdfs.list" || true
    mkdir -p "$1/out" "$1/status"
}

# quire_task DATA K N [quire-cli options...]: task K of N's share of the lists in DATA, outputs in
# DATA/out, its record in DATA/status/K.jsonl. The same command an Indexed Job's pod runs
# (kubernetes/job.yaml).
quire_task() {
    local data=$1 k=$2 n=$3 rc=0
    shift 3
    "$cli" compress --from "$data/photos.list" --slice "$k/$n" --skip-existing -o "$data/out" \
        --status "$data/status/$k.jsonl" "$@" >/dev/null || rc=$?
    [ $rc -eq 130 ] && return $rc
    "$cli" images --from "$data/pdfs.list" --slice "$k/$n" --skip-existing -o "$data/out" \
        --status "$data/status/$k.jsonl" "$@" >/dev/null || rc=$?
    return $rc
}

# free_port: a TCP port nothing listens on now.
free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# GNU parallel on this machine: a manifest of photos and PDFs in jobs of a few inputs, the engine
# stopped with SIGTERM halfway, resumed from its --joblog with --resume-failed, then checked
# (lib.sh check_run). A few seconds; part of CI.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_inputs "$work" 8 4
mapfile -t inputs <"$work/manifest"
quire_job "$work/ref" "$work/ref.jsonl" -- "${inputs[@]}" # the single local run

engine() {
    parallel --joblog "$work/joblog" "$@" -j 2 -N 2 "$root/bench/scale/job.sh" "$work/out" \
        "$work/status.jsonl" --jobs 1 -- :::: "$work/manifest"
}
# In its own process group, as a service manager or a terminal runs it: the SIGTERM reaches
# parallel and the quire-cli processes it has running.
set -m
engine &
pid=$!
set +m
for ((i = 0; i < 600; i++)); do # until one job of six is logged
    [ -f "$work/joblog" ] && [ "$(wc -l <"$work/joblog")" -ge 2 ] && break
    sleep 0.05
done
kill -TERM -- -"$pid"
wait "$pid" || true
while pgrep -g "$pid" >/dev/null; do sleep 0.05; done
logged=$(($(wc -l <"$work/joblog") - 1))
echo "stopped after $logged of 6 jobs were logged; $(grep -c '"status":"failed"' "$work/status.jsonl" || true) inputs interrupted"
[ "$logged" -lt 6 ] || { echo "the run ended before it could be stopped" >&2; exit 1; }

engine --resume-failed
check_run "$work/out" "$work/ref" "$work/manifest" "$work/status.jsonl"

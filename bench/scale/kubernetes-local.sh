#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Indexed Job of kubernetes/job.yaml without a cluster: its pod command, taken from the
# manifest as written, run here once per index with JOB_COMPLETION_INDEX set (the shared volume
# a temporary folder, quire-cli the one built), the pods side by side. One pod is stopped with
# SIGTERM halfway, as the kubelet stops it, and run again as the Job's retry would; then the
# result is checked (lib.sh check_run). bench/scale/kubernetes-local.sh [PHOTOS PDFS TASKS]
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
photos=${1:-16} pdfs=${2:-8} tasks=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" && ln -s "$cli" "$work/bin/quire-cli"
data=$work/data
# The script between the markers, unindented, with the volume's mount point made the folder.
pod=$(sed -n '/# pod command begins/,/# pod command ends/p' "$here/kubernetes/job.yaml" |
    sed -n '/^ *- |$/,$p' | sed '1d;$d' | sed 's/^              //' | sed "s|/data|$data|g")
make_inputs "$data" "$photos" "$pdfs"
split_manifest "$data"
mapfile -t inputs <"$data/manifest"
quire_job "$work/ref" "$work/ref.jsonl" -- "${inputs[@]}"
run_pod() {
    PATH=$work/bin:$PATH TASKS=$tasks QUIRE_JOBS=1 JOB_COMPLETION_INDEX=$1 setsid /bin/sh -c "$pod" &
}
pids=()
for ((k = 0; k < tasks; k++)); do
    run_pod "$k"
    pids+=($!)
done
victim=$((tasks - 1))
until [ -s "$data/status/$victim.jsonl" ]; do sleep 0.05; done
kill -TERM -- -"${pids[$victim]}"
status=0
wait "${pids[$victim]}" || status=$?
echo "pod $victim stopped (exit $status) after $(grep -c '"input"' "$data/status/$victim.jsonl") inputs"
for ((k = 0; k < tasks - 1; k++)); do wait "${pids[$k]}"; done
run_pod "$victim"
wait $!
check_run "$data/out" "$work/ref" "$data/manifest" "$data"/status/*.jsonl

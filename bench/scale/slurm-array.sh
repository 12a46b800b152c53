#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Slurm job array on this machine: munged, slurmctld and slurmd configured and started under a
# temporary folder on spare ports, an array of TASKS tasks each taking its slice of the manifest
# by SLURM_ARRAY_TASK_ID, one task cancelled with scancel halfway and run again, the result
# checked (lib.sh check_run), and everything stopped. Run by hand, as root (slurmd runs the
# tasks): bench/scale/slurm-array.sh [PHOTOS PDFS TASKS]
# With ROUNDS=n it first times, alternating, n rounds of: one quire-cli with every core, the
# array of TASKS one-core tasks, and TASKS one-core quire-cli side by side without Slurm.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
photos=${1:-40} pdfs=${2:-20} tasks=${3:-4}
tmp=$(mktemp -d /tmp/quire-slurm.XXXXXX)
stop() {
    for d in slurmd slurmctld munged; do
        [ -f "$tmp/$d.pid" ] && kill "$(cat "$tmp/$d.pid")" 2>/dev/null || true
    done
    sleep 1
    rm -rf "$tmp"
}
trap stop EXIT

# munge: its own key and socket.
mkdir -p "$tmp/munge" && chmod 700 "$tmp/munge"
dd if=/dev/urandom of="$tmp/munge/key" bs=1024 count=1 status=none && chmod 400 "$tmp/munge/key"
munged --force --key-file="$tmp/munge/key" --socket="$tmp/munge/socket" \
    --pid-file="$tmp/munged.pid" --log-file="$tmp/munge/log" --seed-file="$tmp/munge/seed"

host=$(hostname -s)
mkdir -p "$tmp/state" "$tmp/spool"
cat >"$tmp/slurm.conf" <<CONF
ClusterName=quire
SlurmctldHost=$host
SlurmctldPort=$(free_port)
SlurmdPort=$(free_port)
AuthType=auth/munge
AuthInfo=socket=$tmp/munge/socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$tmp/state
SlurmdSpoolDir=$tmp/spool
SlurmctldPidFile=$tmp/slurmctld.pid
SlurmdPidFile=$tmp/slurmd.pid
SlurmctldLogFile=$tmp/slurmctld.log
SlurmdLogFile=$tmp/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
KillWait=5
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=all Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$tmp/slurm.conf
slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
for ((i = 0; i < 100; i++)); do
    sinfo -h -o %T 2>/dev/null | grep -q idle && break
    sleep 0.2
done
sinfo

data=$tmp/data
make_inputs "$data" "$photos" "$pdfs"
split_manifest "$data"
mapfile -t inputs <"$data/manifest"
quire_job "$tmp/ref" "$tmp/ref.jsonl" -- "${inputs[@]}" # the single local run

# Each task gets one core and caps quire-cli to it.
cat >"$tmp/task.sh" <<TASK
#!/usr/bin/env bash
source "$root/bench/scale/lib.sh"
# N is the array's size, not SLURM_ARRAY_TASK_COUNT: a resubmitted task runs in an array of one.
quire_task "$data" "\$SLURM_ARRAY_TASK_ID" $tasks --jobs 1
TASK
submit() { sbatch --parsable --chdir="$tmp" --output="$tmp/task-%a.log" --cpus-per-task=1 "$@" "$tmp/task.sh"; }
settle() { while squeue -h -j "$1" | grep -q .; do sleep 0.1; done; }
seconds() { local s; s=$(date +%s.%N); "$@"; echo "$(date +%s.%N) - $s" | bc; }
fresh() { rm -rf "$data/out" "$data/status" && mkdir -p "$data/out" "$data/status"; }
# Each way in a session of its own, as slurmd's tasks are: with the kernel's autogroup
# scheduling, a busy machine shares its cores out by session, not by process.
export -f quire_task
export cli data tasks
one() { setsid -w bash -c 'quire_task "$data" 0 1'; }
array() { settle "$(submit --array=0-$((tasks - 1)))"; }
side_by_side() {
    local k
    for ((k = 0; k < tasks; k++)); do setsid -w bash -c "quire_task \"\$data\" $k $tasks --jobs 1" & done
    wait
}
for ((r = 0; r < ${ROUNDS:-0}; r++)); do
    for way in one array side_by_side; do
        fresh
        echo "round $r: $way $(seconds $way)s"
        diff -r "$tmp/ref" "$data/out" >/dev/null || { echo "$way: outputs differ" >&2; exit 1; }
    done
done
fresh

job=$(submit --array=0-$((tasks - 1)))
victim=$((tasks - 1))
# Halfway through the last task: once its record has a line, cancel it.
until [ -s "$data/status/$victim.jsonl" ]; do sleep 0.1; done
scancel "${job}_$victim"
settle "$job"
echo "task $victim cancelled after $(grep -c '"input"' "$data/status/$victim.jsonl") inputs"
grep -h '"interrupted"' "$data/status/$victim.jsonl" || true
settle "$(submit --array="$victim")"
check_run "$data/out" "$tmp/ref" "$data/manifest" "$data"/status/*.jsonl

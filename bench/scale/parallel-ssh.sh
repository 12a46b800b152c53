#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# GNU parallel over SSH: a second "host" that is an sshd on localhost on a spare port, with host
# and user keys made here, named in an --sshloginfile beside this machine itself (":"). The
# engine is stopped with SIGTERM halfway, resumed from its --joblog with --resume-failed, and the
# result checked (lib.sh check_run). Run by hand: bench/scale/parallel-ssh.sh [PHOTOS PDFS]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
photos=${1:-24} pdfs=${2:-12}
work=$(mktemp -d /tmp/quire-ssh.XXXXXX)
stop() {
    [ -f "$work/sshd.pid" ] && kill "$(cat "$work/sshd.pid")" 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT

port=$(free_port)
ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/user_key"
cp "$work/user_key.pub" "$work/authorized_keys"
cat >"$work/sshd_config" <<CONF
Port $port
ListenAddress 127.0.0.1
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PidFile $work/sshd.pid
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
PermitRootLogin prohibit-password
CONF
mkdir -p /run/sshd
/usr/sbin/sshd -f "$work/sshd_config" -E "$work/sshd.log"
ssh_cmd="ssh -p $port -i $work/user_key -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR"
printf '1/:\n1/%s %s@127.0.0.1\n' "$ssh_cmd" "$(id -un)" >"$work/sshlogins"
$ssh_cmd "$(id -un)@127.0.0.1" true # the host answers

make_inputs "$work" "$photos" "$pdfs"
mapfile -t inputs <"$work/manifest"
quire_job "$work/ref" "$work/ref.jsonl" -- "${inputs[@]}"
jobs=$(((${#inputs[@]} + 1) / 2))
engine() {
    parallel --sshloginfile "$work/sshlogins" --joblog "$work/joblog" "$@" -N 2 \
        "$root/bench/scale/job.sh" "$work/out" "$work/status.jsonl" --jobs 1 -- \
        :::: "$work/manifest"
}
start=$(date +%s.%N)
set -m
engine &
pid=$!
set +m
until [ -f "$work/joblog" ] && [ "$(wc -l <"$work/joblog")" -gt $((jobs / 2)) ]; do sleep 0.05; done
kill -TERM -- -"$pid"
wait "$pid" || true
# Jobs on the SSH host end when their connection does; wait for the last of them.
while pgrep -f "$work/status.jsonl" >/dev/null; do sleep 0.1; done
logged=$(($(wc -l <"$work/joblog") - 1))
echo "stopped after $logged of $jobs jobs were logged"
engine --resume-failed
echo "both runs: $(echo "$(date +%s.%N) - $start" | bc)s; jobs per host:"
awk -F'\t' 'NR > 1 { n[$2]++ } END { for (h in n) print "  " (h == ":" ? "local" : "ssh") ": " n[h] }' \
    "$work/joblog"
check_run "$work/out" "$work/ref" "$work/manifest" "$work/status.jsonl"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One GNU parallel job, run here or on an SSH host that sees the same folders:
# job.sh OUT STATUS [quire-cli options...] -- INPUT...
source "$(dirname "$0")/lib.sh"
quire_job "$@"

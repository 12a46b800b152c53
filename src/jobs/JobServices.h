// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Dispatcher;
class HistoryStore;
class JobRegistry;

// What a job reaches: the queues it runs on, the History it takes back from when cancelled, and
// the registry that lets the app (and its overlay) follow every running job.
struct JobServices
{
    Dispatcher* dispatcher = nullptr;
    HistoryStore* history = nullptr;
    JobRegistry* jobs = nullptr;
};

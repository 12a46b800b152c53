// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// One edge of the navigation graph: a named transition from one screen to another.
struct Transition
{
    QString from;
    QString segue;
    QString to;
};

// The app's whole navigation graph, in one table.
[[nodiscard]] const std::vector<Transition>& navigationGraph();

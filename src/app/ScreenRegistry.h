// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Navigator;

// Tells the navigator how to make every screen the navigation graph names.
void registerScreens(Navigator& navigator);

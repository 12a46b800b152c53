// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Puts the app's and quire-cli's texts into the user's language, once, at start-up.
class Translations
{
  public:
    // Installs the catalogue of the first of the user's languages (QLocale::uiLanguages(), which
    // honours LANGUAGE) that has one, on the running application. English, the language the texts
    // are written in, needs none: a preference for it ends the search. False when none applies.
    static bool install();
    // Where the .qm catalogues are: beside an installed binary, else the build tree's.
    [[nodiscard]] static QString folder();
};

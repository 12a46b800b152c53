// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Screen.h"

#include <QtQmlIntegration/qqmlintegration.h>

// The start screen: hides the bar, then moves to the home screen half a second after loading.
class ViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
  public:
    using Screen::Screen;
    void viewDidLoad() override;
    void viewWillAppear() override;
};

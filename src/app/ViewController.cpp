// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewController.h"

#include "platform/Dispatcher.h"
#include "ui/Navigator.h"
#include "ui/Services.h"

#include <QPointer>

void ViewController::viewWillAppear()
{
    services().navigator->setNavigationBarHidden(true);
}

void ViewController::viewDidLoad()
{
    QPointer<ViewController> self(this);
    services().dispatcher->after(0.5, [self] {
        if (!self)
            return;
        self->services().navigator->setNavigationBarHidden(false);
        self->performSegue(QStringLiteral("segue_start"));
    });
}

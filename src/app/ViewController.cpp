#include "ViewController.h"

#include "platform/Dispatcher.h"
#include "ui/Navigator.h"
#include "ui/Services.h"

#include <QPointer>

void ViewController::viewWillAppear()
{
    m_services.navigator->setNavigationBarHidden(true);
}

void ViewController::viewDidLoad()
{
    QPointer<ViewController> self(this);
    m_services.dispatcher->after(0.5, [self] {
        if (!self)
            return;
        self->m_services.navigator->setNavigationBarHidden(false);
        self->performSegue(QStringLiteral("segue_start"));
    });
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SceneDelegate.h"

#include "QmlSingletons.h"
#include "ViewController.h"
#include "ui/AlertCenter.h"
#include "ui/ImageProvider.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"
#include "ui/ThumbnailProvider.h"
#include "viewer/PdfPageProvider.h"

#include <QQuickWindow>

// The module's types are registered from the library; this keeps that registration linked in.
void qml_register_types_Quire();

SceneDelegate::SceneDelegate(Services& services) : m_services(services)
{
}

bool SceneDelegate::willConnect()
{
    volatile auto registration = &qml_register_types_Quire;
    Q_UNUSED(registration);
    NavigatorSingleton::instance = m_services.navigator;
    m_services.navigator->setViewAttached(true);
    ProgressHUDSingleton::instance = m_services.overlay;
    AlertsSingleton::instance = m_services.alerts;
    ShareSingleton::instance = m_services.share;
    OpenerSingleton::instance = m_services.opener;
    m_colors.setDefaults(m_services.defaults);
    AppearanceSingleton::instance = &m_colors;
    m_engine.addImageProvider(QStringLiteral("quire"), new ImageProvider);
    m_engine.addImageProvider(QStringLiteral("thumbs"), new ThumbnailProvider);
    m_engine.addImageProvider(QStringLiteral("pdfpage"), new PdfPageProvider);
    m_engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    m_engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quire/qml/Main.qml")));
    if (m_engine.rootObjects().isEmpty())
        return false;
    m_services.navigator->setRoot(new ViewController(m_services));
    return true;
}

QQuickWindow* SceneDelegate::window() const
{
    const auto roots = m_engine.rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/FileOpener.h"
#include "ocr/RecognitionLanguages.h"
#include "ui/AlertCenter.h"
#include "ui/ColorScheme.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/ShareSheet.h"

#include <QQmlEngine>

// The services main() built, handed to QML as singletons of the Quire module. Set the
// instances before an engine loads; each engine asks once and never owns them.
template <typename T> struct QmlInstance
{
    static inline T* instance = nullptr;
    static T* create(QQmlEngine* /*engine*/, QJSEngine* /*js*/)
    {
        QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
        return instance;
    }
};

struct NavigatorSingleton : QmlInstance<Navigator>
{
    Q_GADGET
    QML_FOREIGN(Navigator)
    QML_NAMED_ELEMENT(Navigator)
    QML_SINGLETON
};

struct ProgressHUDSingleton : QmlInstance<ProgressOverlay>
{
    Q_GADGET
    QML_FOREIGN(ProgressOverlay)
    QML_NAMED_ELEMENT(ProgressHUD)
    QML_SINGLETON
};

struct AlertsSingleton : QmlInstance<AlertCenter>
{
    Q_GADGET
    QML_FOREIGN(AlertCenter)
    QML_NAMED_ELEMENT(Alerts)
    QML_SINGLETON
};

struct ShareSingleton : QmlInstance<ShareSheet>
{
    Q_GADGET
    QML_FOREIGN(ShareSheet)
    QML_NAMED_ELEMENT(Share)
    QML_SINGLETON
};

struct OpenerSingleton : QmlInstance<FileOpener>
{
    Q_GADGET
    QML_FOREIGN(FileOpener)
    QML_NAMED_ELEMENT(Opener)
    QML_SINGLETON
};

struct AppearanceSingleton : QmlInstance<ColorScheme>
{
    Q_GADGET
    QML_FOREIGN(ColorScheme)
    QML_NAMED_ELEMENT(Appearance)
    QML_SINGLETON
};

// The recogniser's languages belong to the core, which knows nothing of QML.
struct RecognitionLanguagesForeign
{
    Q_GADGET
    QML_FOREIGN(RecognitionLanguages)
    QML_NAMED_ELEMENT(RecognitionLanguages)
    QML_UNCREATABLE("Made once by the app")
};

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPlatform.h"

#include "platform/qt/QtDispatcher.h"

#include <QDir>

TestPlatform::TestPlatform(bool realQueues)
{
    const QString base = root.path();
    services.locations.documents = base + QStringLiteral("/Documents");
    services.locations.photoLibrary = base + QStringLiteral("/Pictures");
    services.locations.inbox = base + QStringLiteral("/Inbox");
    QDir().mkpath(services.locations.documents);

    Dispatcher* dispatcher = &queues;
    if (realQueues) {
        realDispatcher = std::make_unique<QtDispatcher>();
        dispatcher = realDispatcher.get();
    }
    overlay = std::make_unique<ProgressOverlay>(*dispatcher);
    history = std::make_unique<HistoryStore>(services.locations.documents);
    navigator = std::make_unique<Navigator>(services);

    services.dispatcher = dispatcher;
    services.clock = &clock;
    services.defaults = &defaults;
    services.clipboard = &clipboard;
    services.urls = &urls;
    services.overlay = overlay.get();
    services.alerts = &alerts;
    services.history = history.get();
    services.navigator = navigator.get();
    services.share = &share;
    share.setServices(&services);
    services.photos = &photos;
    services.recognizer = &recognizer;
    languages = std::make_unique<RecognitionLanguages>(&defaults);
    languages->drive(recognizer);
    services.languages = languages.get();
    services.jobs = &jobs;
    overlay->follow(jobs);
    if (registerScreens)
        registerScreens(*navigator);
    opener = std::make_unique<FileOpener>(services);
    services.opener = opener.get();
}

TestPlatform::~TestPlatform()
{
    opener.reset();
    navigator.reset();
}

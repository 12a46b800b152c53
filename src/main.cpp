// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Quire: builds every service once, wires them together and runs the window.
#include "app/AppDelegate.h"
#include "app/SceneDelegate.h"
#include "app/ScreenRegistry.h"
#include "app/WindowPlacement.h"
#include "common/LibraryChatter.h"
#include "common/OwnedFolders.h"
#include "common/Translations.h"
#include "history/HistoryStore.h"
#include "home/FileOpener.h"
#include "jobs/JobRegistry.h"
#include "ocr/RecognitionLanguages.h"
#include "platform/qt/DesktopUrlOpener.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "platform/qt/QtDispatcher.h"
#include "platform/qt/SettingsUserDefaults.h"
#include "platform/qt/SystemClipboard.h"
#include "platform/qt/SystemClock.h"
#include "platform/qt/TesseractRecognizer.h"
#include "ui/AlertCenter.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QThread>
#include <QThreadPool>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // Text recognition runs single-threaded: faster on small machines (see TesseractRecognizer).
    qputenv("OMP_THREAD_LIMIT", "1");
    LibraryChatter::quiet(true); // libraries' own lines off stderr, Qt's kept
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Quire"));
    QGuiApplication::setApplicationName(QStringLiteral("Quire"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUIRE_VERSION));
    QQuickStyle::setStyle(QStringLiteral("Material"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quire"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/qt/qml/Quire/qml/assets/icon.svg")));
    Translations::install();

    Services services;
    services.locations = Locations::fromEnvironment();
    // The documents area always exists, as it does on a phone; History is made inside it.
    QDir().mkpath(services.locations.documents);
    // What an earlier run could not tidy away (it was killed): its private PDF copies and the
    // files it handed to other apps.
    OwnedFolders::removeStale(services.locations.inbox, {});
    OwnedFolders::removeStale(QDir::tempPath(), QString::fromLatin1(ShareSheet::kTemporaryPrefix));

    QtDispatcher dispatcher;
    JobRegistry jobs; // before the screens, whose jobs sign off from it when they go
    SystemClock clock;
    SettingsUserDefaults defaults;
    SystemClipboard clipboard;
    DesktopUrlOpener urls;
    ProgressOverlay overlay(dispatcher);
    AlertCenter alerts;
    HistoryStore history(services.locations.documents);
    Navigator navigator(services);
    ShareSheet share;
    FolderPhotoLibrary photos(services.locations.photoLibrary, dispatcher);
    TesseractRecognizer recognizer;
    recognizer.setEngines(QThread::idealThreadCount()); // one page's text shared by every core
    recognizer.setAlternatives(false);                  // the screens show the best reading
    RecognitionLanguages languages(&defaults);
    languages.drive(recognizer);

    services.dispatcher = &dispatcher;
    services.clock = &clock;
    services.defaults = &defaults;
    services.clipboard = &clipboard;
    services.urls = &urls;
    services.overlay = &overlay;
    services.alerts = &alerts;
    services.history = &history;
    services.navigator = &navigator;
    services.share = &share;
    services.photos = &photos;
    services.recognizer = &recognizer;
    services.languages = &languages;
    services.jobs = &jobs;
    overlay.follow(jobs);
    share.setServices(&services);
    registerScreens(navigator);
    FileOpener opener(services);
    services.opener = &opener;

    AppDelegate delegate(services);
    delegate.didFinishLaunching();
    SceneDelegate scene(services);
    if (!scene.willConnect())
        return 1;
    WindowPlacement placement(*scene.window(), defaults);
    placement.restore();
    // quire FILE...: what "Open with Quire" runs.
    opener.openArguments(QGuiApplication::arguments().mid(1));
    const int status = QGuiApplication::exec();
    // Closing the window cancels every job, which takes back what it wrote. Background work still
    // holds the services; wait for it, but not longer than someone closing a window would.
    if (!jobs.shutdown(1500))
        std::_Exit(status);
    QThreadPool::globalInstance()->waitForDone();
    // No screen or job uses the private copies any more.
    OwnedFolders::removeOwn(services.locations.inbox, {});
    return status;
}

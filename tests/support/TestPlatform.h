// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MemoryPhotoLibrary.h"
#include "ScriptedRecognizer.h"
#include "TestDispatcher.h"
#include "TestDoubles.h"
#include "history/HistoryStore.h"
#include "home/FileOpener.h"
#include "jobs/JobRegistry.h"
#include "ocr/RecognitionLanguages.h"
#include "platform/qt/TesseractRecognizer.h"
#include "ui/AlertCenter.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

#include <QTemporaryDir>

#include <memory>

// Every service with deterministic doubles: fixed clock, temporary folders, queues run on demand.
// With realQueues the GUI thread's event loop and the thread pool are used instead (UI journeys).
class TestPlatform
{
  public:
    explicit TestPlatform(bool realQueues = false);
    ~TestPlatform();

    // Registers the screens that segues make. The test and benchmark mains hand in the app's own
    // registry, so that this layer does not reach up into the app.
    static inline void (*registerScreens)(Navigator&) = nullptr;

    Services services;
    QTemporaryDir root;
    TestDispatcher queues;
    JobRegistry jobs;
    FixedClock clock;
    MemoryUserDefaults defaults;
    MemoryClipboard clipboard;
    RecordingUrlOpener urls;
    std::unique_ptr<Dispatcher> realDispatcher;
    std::unique_ptr<ProgressOverlay> overlay;
    AlertCenter alerts;
    std::unique_ptr<HistoryStore> history;
    std::unique_ptr<Navigator> navigator;
    std::unique_ptr<FileOpener> opener;
    ShareSheet share;
    MemoryPhotoLibrary photos;
    ScriptedRecognizer recognizer;
    // The languages chosen; the installed ones are read from the system's folder.
    std::unique_ptr<RecognitionLanguages> languages;
    // The real engine, for tests that read real text: services.recognizer = &tesseract.
    TesseractRecognizer tesseract;

    [[nodiscard]] QString historyPath() const { return history->historyPath(); }
    // Runs queued main-thread work (no-op with real queues).
    void drain() { queues.drain(); }
};

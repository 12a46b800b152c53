// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobServices.h"
#include "platform/Locations.h"

class AlertCenter;
class Clipboard;
class Clock;
class DocumentPicker;
class FileOpener;
class Navigator;
class PhotoLibrary;
class ProgressOverlay;
class RecognitionLanguages;
class ShareSheet;
class TextRecognizer;
class UrlOpener;
class UserDefaults;

// Every service a screen may reach, wired once by main() or by the test platform; the jobs'
// own services (queues, History, job registry) come first.
struct Services : JobServices
{
    Clock* clock = nullptr;
    UserDefaults* defaults = nullptr;
    Clipboard* clipboard = nullptr;
    UrlOpener* urls = nullptr;
    ProgressOverlay* overlay = nullptr;
    AlertCenter* alerts = nullptr;
    Navigator* navigator = nullptr;
    PhotoLibrary* photos = nullptr;
    ShareSheet* share = nullptr;
    TextRecognizer* recognizer = nullptr;
    RecognitionLanguages* languages = nullptr; // what the recogniser reads, as the user chose
    DocumentPicker* documents = nullptr;
    FileOpener* opener = nullptr;
    Locations locations;
};

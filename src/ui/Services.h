#pragma once

#include "platform/Locations.h"

class AlertCenter;
class Clipboard;
class Clock;
class Dispatcher;
class DocumentPicker;
class FileOpener;
class HistoryStore;
class JobRegistry;
class Navigator;
class PhotoLibrary;
class ProgressOverlay;
class RecognitionLanguages;
class ShareSheet;
class TextRecognizer;
class UrlOpener;
class UserDefaults;

// Every service a screen may reach, wired once by main() or by the test platform.
struct Services
{
    Dispatcher* dispatcher = nullptr;
    Clock* clock = nullptr;
    UserDefaults* defaults = nullptr;
    Clipboard* clipboard = nullptr;
    UrlOpener* urls = nullptr;
    ProgressOverlay* overlay = nullptr;
    AlertCenter* alerts = nullptr;
    Navigator* navigator = nullptr;
    HistoryStore* history = nullptr;
    PhotoLibrary* photos = nullptr;
    ShareSheet* share = nullptr;
    TextRecognizer* recognizer = nullptr;
    RecognitionLanguages* languages = nullptr; // what the recogniser reads, as the user chose
    DocumentPicker* documents = nullptr;
    FileOpener* opener = nullptr;
    JobRegistry* jobs = nullptr;
    Locations locations;
};

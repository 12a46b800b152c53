// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SceneDelegate.h"
#include "support/TestPlatform.h"

#include <QQuickItem>
#include <QQuickWindow>

#include <memory>

class FolderPhotoLibrary;

// The real window on the offscreen platform, over the test platform with real queues. A QML
// warning on the way fails the test: each one is a binding that did not do what it says.
class Journey
{
  public:
    Journey();
    // Fails the test on any warning the QML engine gave while the window was up.
    ~Journey();
    Journey(const Journey&) = delete;
    Journey& operator=(const Journey&) = delete;
    TestPlatform platform{true};
    std::unique_ptr<SceneDelegate> scene;
    std::unique_ptr<FolderPhotoLibrary> library;

    // Photos come from a folder, as on a desktop; addPhoto(i) is an hour older than photo i-1.
    void usePhotoFolder();
    bool addPhoto(int index, const QImage& image, int orientation = 1) const;

    [[nodiscard]] QQuickWindow* window() const { return scene->window(); }
    // The first item with this objectName inside the current page (or the whole window).
    [[nodiscard]] QQuickItem* find(const QString& objectName) const;
    [[nodiscard]] QQuickItem* currentPage() const;
    // Waits until the navigator's top screen is the named screen.
    bool waitForScreen(const QString& name, int timeoutMs = 10000) const;
    // Waits until no page is sliding and no image in the window is still loading.
    bool waitForSettled(int timeoutMs = 10000) const;
    // The first visible item below root (the whole window, popups included, by default), other
    // than a plain text, that a screen reader announces under this name; delegates included.
    [[nodiscard]] QQuickItem* findNamed(const QString& accessibleName,
                                        QQuickItem* root = nullptr) const;
    // The item a screen reader announces under this name, once it is there and enabled.
    [[nodiscard]] QQuickItem* waitNamed(const QString& accessibleName) const;
    // Visible controls in the window that a user can operate but a screen reader cannot name.
    [[nodiscard]] QStringList unnamedControls() const;
    // Every item drawn below root, delegates included, with this objectName (any when empty).
    [[nodiscard]] static QList<QQuickItem*> itemsBelow(QQuickItem* root,
                                                       const QString& objectName = {});
    // Clicks an item at its centre as a user would.
    void tap(QQuickItem* item) const;
    // Saves a picture of the window to $QUIRE_SCREENSHOTS/name.png when that is set.
    void screenshot(const QString& name) const;
};

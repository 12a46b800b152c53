// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

struct Services;
class HomeScreen;

// Routes files handed to Quire from outside (the command line, "Open with", a drop on the
// window): photos start Images to PDF with them in the order given, a PDF starts PDF to Images.
class FileOpener : public QObject
{
    Q_OBJECT
  public:
    explicit FileOpener(Services& services, QObject* parent = nullptr);

    // Command-line arguments: paths (relative to the working folder) or file:// URLs.
    void openArguments(const QStringList& arguments);
    // Files in order; anything but local files is left out.
    Q_INVOKABLE void open(const QList<QUrl>& urls);
    // Whether a drag holds at least one local file.
    Q_INVOKABLE [[nodiscard]] static bool accepts(const QList<QUrl>& urls);

  private:
    void route(const QList<Image>& photos, const QString& pdf, const QStringList& unreadable);
    // Runs then(home) once the home screen is up, with everything above it popped.
    void whenHome(std::function<void(HomeScreen*)> then);
    void runPending();
    void startPhotoJob(const QList<Image>& photos, int job);
    // The small chooser: keep Images to PDF, or use the photos for a job they fit instead.
    void offerOtherJobs(const QList<Image>& photos);

    Services& m_services;
    std::function<void(HomeScreen*)> m_pending;
};

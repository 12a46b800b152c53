// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileOpener.h"

#include "HomeScreen.h"
#include "picker/SelectImageScreen.h"
#include "platform/Dispatcher.h"
#include "ui/AlertCenter.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Screen.h"
#include "ui/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>

namespace {
// The home screen's buttons for the photo jobs, by job number.
void (HomeScreen::*const kJobButtons[])() = {
    &HomeScreen::btnImageToPDF, &HomeScreen::btnCompressImage, &HomeScreen::btnResizeImage,
    &HomeScreen::btnExtractText};

bool isPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(1024).contains("%PDF-");
}
} // namespace

FileOpener::FileOpener(Services& services, QObject* parent) : QObject(parent), m_services(services)
{
    // Queued: the navigator finishes its own change before files are routed on top of it.
    connect(services.navigator, &Navigator::stackChanged, this, &FileOpener::runPending,
            Qt::QueuedConnection);
}

void FileOpener::openArguments(const QStringList& arguments)
{
    QList<QUrl> urls;
    for (const QString& arg : arguments) {
        const QUrl url(arg);
        urls << (url.isLocalFile() ? url : QUrl::fromLocalFile(QFileInfo(arg).absoluteFilePath()));
    }
    open(urls);
}

bool FileOpener::accepts(const QList<QUrl>& urls)
{
    return std::ranges::any_of(urls, [](const QUrl& u) { return u.isLocalFile(); });
}

void FileOpener::open(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    m_services.overlay->show();
    QPointer<FileOpener> self(this);
    Services& s = m_services;
    // Headers are read off the GUI thread: a drop may hold hundreds of photos.
    s.dispatcher->background([self, &s, paths] {
        QList<Image> photos;
        QString pdf;
        QStringList unreadable;
        for (const QString& path : paths) {
            if (isPdf(path)) {
                if (pdf.isEmpty())
                    pdf = path;
                continue;
            }
            const Image photo = Image::fromFile(path);
            if (photo.isNull())
                unreadable << QFileInfo(path).fileName();
            else
                photos << photo;
        }
        s.dispatcher->async([self, &s, photos, pdf, unreadable] {
            s.overlay->dismiss();
            if (self)
                self->route(photos, pdf, unreadable);
        });
    });
}

void FileOpener::route(const QList<Image>& photos, const QString& pdf,
                       const QStringList& unreadable)
{
    if (!unreadable.isEmpty()) {
        Alert alert;
        alert.title = tr("Cannot Open");
        alert.message = tr("Quire opens photos and PDF documents only: %1.")
                            .arg(unreadable.join(QStringLiteral(", ")));
        alert.actions.push_back({tr("OK"), {}});
        m_services.alerts->present(std::move(alert));
    }
    if (!photos.isEmpty()) {
        // Photos win over a PDF dropped with them: they are what most of the jobs take.
        startPhotoJob(photos, 0);
        offerOtherJobs(photos);
    } else if (!pdf.isEmpty()) {
        const QUrl url = QUrl::fromLocalFile(pdf);
        whenHome([url](HomeScreen* home) { home->didPickDocument(url); });
    }
}

void FileOpener::whenHome(std::function<void(HomeScreen*)> then)
{
    m_pending = std::move(then);
    runPending();
}

void FileOpener::runPending()
{
    if (!m_pending)
        return;
    Navigator& navigator = *m_services.navigator;
    for (Screen* screen : navigator.stack()) {
        if (auto* home = qobject_cast<HomeScreen*>(screen)) {
            const auto then = std::move(m_pending);
            m_pending = nullptr;
            navigator.popTo(home);
            then(home);
            return;
        }
    } // still starting up: tried again whenever the stack changes
}

void FileOpener::startPhotoJob(const QList<Image>& photos, int job)
{
    whenHome([this, photos, job](HomeScreen* home) {
        (home->*kJobButtons[job])();
        if (auto* picker = qobject_cast<SelectImageScreen*>(m_services.navigator->top()))
            picker->openWith(photos);
    });
}

void FileOpener::offerOtherJobs(const QList<Image>& photos)
{
    Alert alert;
    alert.title = tr("Open With");
    alert.message = photos.size() == 1
                        ? tr("The photo is ready to become a PDF. Use it for "
                             "another job instead?")
                        : tr("The %1 photos are ready to become a PDF. Compress them "
                             "instead?")
                              .arg(photos.size());
    const auto job = [this, photos](int n) {
        return [this, photos, n] { startPhotoJob(photos, n); };
    };
    alert.actions.push_back({tr("Compress"), job(1)});
    if (photos.size() == 1) { // resizing and reading text take one photo
        alert.actions.push_back({tr("Resize"), job(2)});
        alert.actions.push_back({tr("Extract Text"), job(3)});
    }
    alert.actions.push_back({tr("Images to PDF"), {}}); // last: Enter keeps it
    m_services.alerts->present(std::move(alert));
}

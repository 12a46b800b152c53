// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShareSheet.h"

#include "AlertCenter.h"
#include "ProgressOverlay.h"
#include "Services.h"
#include "ShareFiles.h"
#include "common/OwnedFolders.h"
#include "jobs/Job.h"
#include "platform/Clipboard.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

ShareItem ShareItem::fromData(const QByteArray& bytes, const QString& fileName)
{
    ShareItem i;
    i.kind = Data;
    i.data = bytes;
    i.fileName = fileName;
    return i;
}

ShareItem ShareItem::fromImage(const Image& image)
{
    ShareItem i;
    i.kind = Picture;
    i.image = image;
    return i;
}

ShareItem ShareItem::fromText(const QString& text)
{
    ShareItem i;
    i.kind = Text;
    i.text = text;
    return i;
}

ShareItem ShareItem::fromUrl(const QUrl& url)
{
    ShareItem i;
    i.kind = Link;
    i.url = url;
    return i;
}

void ShareSheet::present(const QList<ShareItem>& items)
{
    m_items = items;
    m_presented.append(items);
    m_showing = true;
    emit changed();
}

void ShareSheet::close()
{
    m_showing = false;
    emit changed();
}

ShareSheet::~ShareSheet() = default;

QString ShareSheet::suggestedName() const
{
    return m_items.isEmpty() ? QString() : ShareFiles::suggestedName(m_items.first());
}

bool ShareSheet::saveCopy(const QUrl& target, bool replace)
{
    const QString path = target.isLocalFile() ? target.toLocalFile() : target.toString();
    if (m_items.size() > 1 && m_services)
        return saveAll(path, replace);
    return saveOne(path, replace);
}

bool ShareSheet::saveOne(const QString& path, bool replace)
{
    if (m_items.isEmpty()) {
        report(false, {}, tr("Could Not Save"), {});
        return false;
    }
    // The name chosen, given the item's extension when it was typed without one.
    const QFileInfo chosen(path);
    const QString suffix = QFileInfo(ShareFiles::suggestedName(m_items.first())).suffix();
    const QString name = chosen.suffix().isEmpty() && !suffix.isEmpty()
                             ? chosen.fileName() + QLatin1Char('.') + suffix
                             : chosen.fileName();
    const QString folder = chosen.absolutePath();
    QString error;
    const QString written = QDir().mkpath(folder)
                                ? ShareFiles::write(m_items.first(), folder, name, error, replace)
                                : QString();
    const bool ok = !written.isEmpty();
    if (!ok)
        error = error.isEmpty()
                    ? tr("The folder %1 could not be made.").arg(folder)
                    : tr("%1 could not be saved: %2").arg(QDir(folder).filePath(name), error);
    if (ok)
        rememberFolder(folder);
    // A file already at the chosen name is kept unless replacing was asked; the copy's own name
    // is said.
    const QString renamed = QFileInfo(written).fileName();
    report(ok, !ok || renamed == name ? tr("Saved!") : tr("Saved as %1").arg(renamed),
           tr("Could Not Save"), error);
    return ok;
}

bool ShareSheet::saveAll(const QString& folder, bool replace)
{
    if (!m_saving)
        m_saving = std::make_unique<Job>(*m_services);
    if (m_saving->running())
        return false;
    struct Outcome
    {
        int written = 0;
        QString error;
    };
    const QList<ShareItem> items = m_items;
    close();
    const auto work = [items, folder, replace](JobControl& job) {
        Outcome outcome;
        job.setTotal(int(items.size()));
        if (!QDir().mkpath(folder)) {
            outcome.error = tr("The folder %1 could not be made.").arg(folder);
            return outcome;
        }
        for (const ShareItem& item : items) {
            if (job.isCancelled())
                break;
            QString error;
            const QString name = ShareFiles::suggestedName(item);
            if (ShareFiles::write(item, folder, name, error, replace).isEmpty()) {
                outcome.error =
                    tr("%1 could not be saved: %2").arg(QDir(folder).filePath(name), error);
                break;
            }
            ++outcome.written;
            job.advance();
        }
        return outcome;
    };
    return m_saving->run(tr("Saving..."), work, [this, folder](const Outcome& outcome) {
        if (outcome.error.isEmpty())
            rememberFolder(folder);
        report(outcome.error.isEmpty(), tr("Saved!"), tr("Could Not Save"), outcome.error);
    });
}

void ShareSheet::saveTo(const QUrl& folder, const QString& name)
{
    QString typed = name.trimmed();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        typed = QDir::homePath() + typed.mid(1);
    const QString base = folder.isLocalFile() ? folder.toLocalFile() : folder.toString();
    const QString path = QDir::cleanPath(typed.isEmpty() ? base : QDir(base).filePath(typed));
    const QStringList taken = takenNames(path);
    if (taken.isEmpty() || !m_services || !m_services->alerts) {
        saveCopy(QUrl::fromLocalFile(path), false);
        return;
    }
    const QString where = m_items.size() == 1 ? QFileInfo(path).absolutePath() : path;
    const QString message =
        taken.size() == 1
            ? tr("“%1” already exists in %2.").arg(taken.first(), where)
            : tr("%1 of these files already exist in %2.").arg(taken.size()).arg(where);
    const QUrl target = QUrl::fromLocalFile(path);
    // Keeping both is last: the answer Enter gives.
    m_services->alerts->present({taken.size() == 1 ? tr("Replace “%1”?").arg(taken.first())
                                                   : tr("Replace %1 Files?").arg(taken.size()),
                                 message,
                                 {{tr("Cancel"), {}},
                                  {tr("Replace"), [this, target] { saveCopy(target, true); }},
                                  {tr("Keep both"), [this, target] { saveCopy(target, false); }}}});
}

QStringList ShareSheet::takenNames(const QString& path) const
{
    QStringList taken;
    if (m_items.size() == 1) {
        const QFileInfo chosen(path);
        const QString suffix = QFileInfo(ShareFiles::suggestedName(m_items.first())).suffix();
        const QString name = chosen.suffix().isEmpty() && !suffix.isEmpty()
                                 ? chosen.fileName() + QLatin1Char('.') + suffix
                                 : chosen.fileName();
        if (QFileInfo::exists(QDir(chosen.absolutePath()).filePath(name)))
            taken << name;
        return taken;
    }
    for (const ShareItem& item : m_items)
        if (const QString name = ShareFiles::suggestedName(item);
            !taken.contains(name) && QFileInfo::exists(QDir(path).filePath(name)))
            taken << name;
    return taken;
}

QUrl ShareSheet::saveFolder() const
{
    QStringList candidates;
    if (m_services && m_services->defaults)
        candidates << m_services->defaults->value(kSaveFolderKey).toString();
    candidates << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
               << QDir::homePath();
    for (const QString& folder : std::as_const(candidates))
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QUrl::fromLocalFile(folder);
    return QUrl::fromLocalFile(QDir::rootPath());
}

void ShareSheet::rememberFolder(const QString& folder)
{
    if (!m_services || !m_services->defaults)
        return;
    m_services->defaults->setValue(kSaveFolderKey, folder);
    m_services->defaults->synchronize();
}

bool ShareSheet::copy()
{
    if (!m_services || !m_services->clipboard || m_items.isEmpty())
        return false;
    Clipboard& clipboard = *m_services->clipboard;
    QStringList texts;
    for (const ShareItem& item : m_items)
        if (item.kind == ShareItem::Text || item.kind == ShareItem::Link)
            texts.append(item.kind == ShareItem::Text ? item.text : item.url.toString());
    QString error;
    bool ok = true;
    if (texts.size() == m_items.size()) {
        clipboard.setText(texts.join(QLatin1Char('\n')));
    } else if (m_items.size() == 1 && m_items.first().kind == ShareItem::Picture) {
        const QImage pixels = m_items.first().image.toQImage();
        ok = !pixels.isNull();
        if (ok)
            clipboard.setImage(pixels);
        else
            error = tr("The picture could not be read.");
    } else {
        const QList<QUrl> files = writeTemporaryFiles(error);
        ok = !files.isEmpty();
        if (ok)
            clipboard.setUrls(files);
    }
    report(ok, tr("Copied!"), tr("Could Not Copy"), error);
    return ok;
}

bool ShareSheet::openWithDefaultApp()
{
    if (!m_services || !m_services->urls || m_items.isEmpty())
        return false;
    QString error;
    QList<QUrl> targets;
    for (const ShareItem& item : m_items)
        if (item.kind == ShareItem::Link)
            targets.append(item.url);
    if (targets.size() != m_items.size())
        targets = writeTemporaryFiles(error);
    bool ok = !targets.isEmpty();
    for (const QUrl& url : std::as_const(targets)) {
        if (!m_services->urls->open(url)) {
            ok = false;
            error = tr("No application opens %1.").arg(url.fileName());
        }
    }
    report(ok, {}, tr("Could Not Open"), error);
    return ok;
}

QList<QUrl> ShareSheet::writeTemporaryFiles(QString& error)
{
    if (!m_temporary || !m_temporary->isValid())
        m_temporary = std::make_unique<QTemporaryDir>(
            QDir::tempPath() + QLatin1Char('/') +
            OwnedFolders::ownPrefix(QString::fromLatin1(kTemporaryPrefix)) +
            QStringLiteral("XXXXXX"));
    if (!m_temporary->isValid()) {
        error = m_temporary->errorString();
        return {};
    }
    // A folder per action, so files of an earlier share are never overwritten while in use.
    const QString folder = m_temporary->filePath(QString::number(++m_batches));
    QDir().mkpath(folder);
    QList<QUrl> urls;
    for (const ShareItem& item : m_items) {
        const QString path =
            ShareFiles::write(item, folder, ShareFiles::suggestedName(item), error);
        if (path.isEmpty())
            return {};
        urls.append(QUrl::fromLocalFile(path));
    }
    return urls;
}

void ShareSheet::report(bool ok, const QString& success, const QString& failure,
                        const QString& error)
{
    close();
    if (!m_services)
        return;
    if (ok && !success.isEmpty() && m_services->overlay)
        m_services->overlay->showSuccess(success);
    if (!ok && m_services->alerts)
        m_services->alerts->present(
            {failure, error.isEmpty() ? tr("Nothing was shared.") : error, {{tr("OK"), {}}}});
}

#include "ShareSheet.h"

#include "AlertCenter.h"
#include "ProgressOverlay.h"
#include "Services.h"
#include "ShareFiles.h"
#include "platform/Clipboard.h"
#include "platform/UrlOpener.h"

#include <QDir>
#include <QFileInfo>
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

bool ShareSheet::saveCopy(const QUrl& target)
{
    const QString path = target.isLocalFile() ? target.toLocalFile() : target.toString();
    QString error;
    bool ok = !m_items.isEmpty();
    QString renamed;
    if (m_items.size() == 1) {
        // The name chosen, given the item's extension when it was typed without one.
        const QFileInfo chosen(path);
        const QString suffix = QFileInfo(ShareFiles::suggestedName(m_items.first())).suffix();
        const QString name = chosen.suffix().isEmpty() && !suffix.isEmpty()
                                 ? chosen.fileName() + QLatin1Char('.') + suffix
                                 : chosen.fileName();
        const QString written =
            ShareFiles::write(m_items.first(), chosen.absolutePath(), name, error);
        ok = !written.isEmpty();
        if (ok && QFileInfo(written).fileName() != chosen.fileName())
            renamed = QFileInfo(written).fileName();
    } else {
        for (int i = 0; ok && i < m_items.size(); ++i)
            ok = !ShareFiles::write(m_items[i], path, ShareFiles::suggestedName(m_items[i]), error)
                      .isEmpty();
    }
    // A file already at the chosen name is kept; the copy's own name is said.
    report(ok,
           renamed.isEmpty() ? QStringLiteral("Saved!")
                             : QStringLiteral("Saved as %1").arg(renamed),
           QStringLiteral("Could Not Save"), error);
    return ok;
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
            error = QStringLiteral("The picture could not be read.");
    } else {
        const QList<QUrl> files = writeTemporaryFiles(error);
        ok = !files.isEmpty();
        if (ok)
            clipboard.setUrls(files);
    }
    report(ok, QStringLiteral("Copied!"), QStringLiteral("Could Not Copy"), error);
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
            error = QStringLiteral("No application opens %1.").arg(url.fileName());
        }
    }
    report(ok, {}, QStringLiteral("Could Not Open"), error);
    return ok;
}

QList<QUrl> ShareSheet::writeTemporaryFiles(QString& error)
{
    if (!m_temporary || !m_temporary->isValid())
        m_temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                      QStringLiteral("/quire-share-XXXXXX"));
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
            {failure,
             error.isEmpty() ? QStringLiteral("Nothing was shared.") : error,
             {{QStringLiteral("OK"), {}}}});
}

#include "HomeScreen.h"

#include "app/AppValues.h"
#include "history/HistoryStore.h"
#include "platform/Image.h"
#include "platform/Services.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

HomeScreen::HomeScreen(Services& services, QObject* parent)
    : Screen(services, parent), m_tableviewRecent(*services.history)
{
    setTitle(QStringLiteral("Quire"));
}

void HomeScreen::viewWillAppear()
{
    m_tableviewRecent.reload();
}

void HomeScreen::startJob(int job)
{
    m_services.app->setSelectedJob(job);
    performSegue(QStringLiteral("segue_selectImage"));
}

void HomeScreen::btnImageToPDF()
{
    startJob(0);
}
void HomeScreen::btnCompressImage()
{
    startJob(1);
}
void HomeScreen::btnResizeImage()
{
    startJob(2);
}
void HomeScreen::btnExtractText()
{
    startJob(3);
}
void HomeScreen::btnSetting()
{
    performSegue(QStringLiteral("segue_setting"));
}
void HomeScreen::btnPDFToImage()
{
    emit documentPickerRequested();
}

void HomeScreen::didPickDocument(const QUrl& url)
{
    const QString source = url.isLocalFile() ? url.toLocalFile() : url.toString();
    // Work on a private copy, as a document picker in copy mode hands back.
    const QString inbox = m_services.locations.inbox;
    QDir().mkpath(inbox);
    const QFileInfo info(source);
    QString target = inbox + QLatin1Char('/') + info.fileName();
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = inbox +
                 QStringLiteral("/%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
    if (!QFile::copy(source, target)) {
        qWarning() << "Could not copy" << source << "into the inbox";
        return;
    }
    m_pdfFilePath = target;
    emit pdfFilePathChanged();
    performSegue(QStringLiteral("segue_pdfToImage"));
}

void HomeScreen::didSelectRow(int row)
{
    const QUrl url = m_services.history->at(row);
    if (url.isEmpty())
        return;
    m_selectedURL = url;
    emit selectedURLChanged();
    if (QFileInfo(url.toLocalFile()).suffix() == QLatin1String("pdf")) {
        m_services.app->setIsFromHistory(true);
        performSegue(QStringLiteral("segue_PDF"));
    } else {
        performSegue(QStringLiteral("segue_viewImage"));
    }
}

void HomeScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_pdfToImage")) {
        destination->setProperty("pdfFilePath", m_pdfFilePath);
    } else if (segue == QLatin1String("segue_viewImage")) {
        const Image image = Image::fromFile(m_selectedURL.toLocalFile());
        destination->setProperty("selectedImage", QVariant::fromValue(image));
    } else if (segue == QLatin1String("segue_PDF")) {
        destination->setProperty("pdfFilePath", m_selectedURL.toLocalFile());
    }
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PDFPreviewScreen.h"

#include "PageGridScreen.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

#include <QFile>
#include <QFileInfo>

PDFPreviewScreen::PDFPreviewScreen(Services& services, QObject* parent) : Screen(services, parent)
{
}

PDFPreviewScreen::~PDFPreviewScreen() = default;

void PDFPreviewScreen::setPdfFilePath(const QString& path)
{
    if (path == m_pdfFilePath)
        return;
    m_pdfFilePath = path;
    m_password.clear();
    emit pdfFilePathChanged();
}

void PDFPreviewScreen::setPdf(const QString& path, const QByteArray& password)
{
    setPdfFilePath(path);
    m_password = password;
}

void PDFPreviewScreen::setIsFromHistory(bool value)
{
    if (value == m_isFromHistory)
        return;
    m_isFromHistory = value;
    emit isFromHistoryChanged();
}

QUrl PDFPreviewScreen::documentUrl() const
{
    return m_pdfFilePath.isEmpty() || !m_opened ? QUrl() : QUrl::fromLocalFile(m_pdfFilePath);
}

void PDFPreviewScreen::viewDidLoad()
{
    setTitle(QFileInfo(m_pdfFilePath).fileName());
    m_prompt.ask(
        m_pdfFilePath,
        [this](const QByteArray& password) {
            m_password = password;
            m_opened = true;
            emit pdfFilePathChanged();
        },
        [this] { m_isFromHistory ? popScreen() : goHome(); }, m_password);
}

void PDFPreviewScreen::viewWillAppear()
{
    // Right after a conversion the screens below are spent; the way out is Home.
    if (!m_isFromHistory && m_backEnabled) {
        m_backEnabled = false;
        emit backEnabledChanged();
    }
}

void PDFPreviewScreen::btnBack()
{
    popScreen();
}

void PDFPreviewScreen::btnShare()
{
    QFile file(m_pdfFilePath);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    services().share->present({ShareItem::fromData(bytes, QFileInfo(m_pdfFilePath).fileName())});
}

void PDFPreviewScreen::btnHome()
{
    goHome();
}

void PDFPreviewScreen::btnOrganise()
{
    performSegue(QStringLiteral("segue_organise"));
}

void PDFPreviewScreen::prepare(const QString& segue, Screen* destination)
{
    if (auto* grid = qobject_cast<PageGridScreen*>(destination);
        grid && segue == QLatin1String("segue_organise"))
        grid->setPdf(m_pdfFilePath, m_password);
}

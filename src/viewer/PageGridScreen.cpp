// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageGridScreen.h"

#include "PDFPreviewScreen.h"
#include "common/InputFile.h"
#include "common/Logging.h"
#include "pdfedit/PdfOrganizer.h"
#include "pdfworker/PdfWorkerPool.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "ui/AlertCenter.h"
#include "ui/Services.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {
// The picker's last folder, shared with the home screen's PDF to Images.
const QString kDocumentFolderKey = QStringLiteral("lastDocumentFolder");

// The pages of the PDF at path as the grid shows them, or why it cannot show them.
struct Opened
{
    std::vector<QSizeF> sizes;
    QString error;
};

Opened readPages(const QString& path, const QByteArray& password)
{
    const QString name = QFileInfo(path).fileName();
    if (!InputFile::refusal(path).isEmpty())
        return {{}, PageGridScreen::tr("“%1” is not a PDF that can be read.").arg(name)};
    // The password was asked for before; a file changed since is told apart here.
    switch (PdfPassword::check(path, password)) {
    case PdfPassword::Lock::Open:
        break;
    case PdfPassword::Lock::Needed:
    case PdfPassword::Lock::Wrong:
        return {{}, PageGridScreen::tr("“%1” is protected by a password.").arg(name)};
    case PdfPassword::Lock::Unreadable:
        return {{}, PageGridScreen::tr("“%1” is not a PDF that can be read.").arg(name)};
    }
    auto sizes = PdfWorkerPool::shared().pageSizes(path);
    if (!sizes)
        return {{}, PageGridScreen::tr("“%1” is not a PDF that can be read.").arg(name)};
    return {std::move(*sizes), {}};
}
} // namespace

PageGridScreen::PageGridScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Organise Pages"));
    connect(&m_pages, &PageGridModel::countChanged, this, &PageGridScreen::selectionChanged);
}

void PageGridScreen::setPdfFilePath(const QString& path)
{
    if (path == m_pdfFilePath)
        return;
    m_pdfFilePath = path;
    m_firstPassword.clear();
    emit pdfFilePathChanged();
}

void PageGridScreen::setPdf(const QString& path, const QByteArray& password)
{
    setPdfFilePath(path);
    m_firstPassword = password;
}

QUrl PageGridScreen::documentFolder() const
{
    const QString last =
        services().defaults ? services().defaults->value(kDocumentFolderKey).toString() : QString();
    return QUrl::fromLocalFile(
        !last.isEmpty() && QFileInfo(last).isDir()
            ? last
            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void PageGridScreen::viewDidLoad()
{
    if (!m_pdfFilePath.isEmpty() && m_documents.isEmpty())
        m_prompt.ask(
            m_pdfFilePath,
            [this](const QByteArray& password) {
                addDocument(m_pdfFilePath, password, tr("PDF Not Opened"));
            },
            [this] { popScreen(); }, m_firstPassword);
}

void PageGridScreen::prepare(const QString& segue, Screen* destination)
{
    if (auto* viewer = qobject_cast<PDFPreviewScreen*>(destination);
        viewer && segue == QLatin1String("segue_PDF")) {
        viewer->setIsFromHistory(false);
        viewer->setPdf(m_savedPath, m_savedPassword);
    }
}

void PageGridScreen::appendPdf(const QUrl& url)
{
    const QString path = url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (const QString folder = QFileInfo(path).absolutePath();
        services().defaults && QFileInfo(folder).isDir()) {
        services().defaults->setValue(kDocumentFolderKey, folder);
        services().defaults->synchronize();
        emit pdfFilePathChanged();
    }
    // Backing out of the password leaves the grid as it was.
    m_prompt.ask(path,
                 [this, path](const QByteArray& password) {
                     addDocument(path, password, tr("PDF Not Added"));
                 },
                 {});
}

void PageGridScreen::addDocument(const QString& path, const QByteArray& password,
                                 const QString& failedTitle)
{
    m_job.run(
        tr("Opening..."), [path, password](JobControl&) { return readPages(path, password); },
        [this, path, password, failedTitle](const Opened& opened) {
            if (!opened.error.isEmpty()) {
                qCWarning(lcPdf) << "Cannot organise" << path << opened.error;
                m_job.fail(opened.error);
                alert(failedTitle, opened.error);
                return;
            }
            if (!m_documents.isEmpty())
                remember();
            const int document = int(m_documents.size());
            m_documents << path;
            m_passwords << password;
            m_pages.setDocuments(m_documents);
            std::vector<PageGridModel::Page> added;
            added.reserve(opened.sizes.size());
            int number = 0;
            for (const QSizeF& size : opened.sizes)
                added.push_back({document, number++, size});
            m_pages.append(added);
        });
}

int PageGridScreen::selectedCount() const
{
    const auto& all = m_pages.pages();
    return int(std::count_if(all.begin(), all.end(), [](const auto& p) { return p.selected; }));
}

void PageGridScreen::select(int index)
{
    auto all = m_pages.pages();
    int at = 0;
    for (auto& page : all)
        page.selected = at++ == index;
    m_anchor = index;
    m_pages.change(all);
    emit selectionChanged();
}

void PageGridScreen::toggleSelected(int index)
{
    if (index < 0 || index >= m_pages.rowCount())
        return;
    auto all = m_pages.pages();
    all[size_t(index)].selected = !all[size_t(index)].selected;
    m_anchor = index;
    m_pages.change(all);
    emit selectionChanged();
}

void PageGridScreen::selectRange(int index)
{
    if (m_anchor < 0 || m_anchor >= m_pages.rowCount()) {
        select(index);
        return;
    }
    auto all = m_pages.pages();
    int at = 0;
    for (auto& page : all) {
        page.selected = at >= std::min(m_anchor, index) && at <= std::max(m_anchor, index);
        ++at;
    }
    m_pages.change(all);
    emit selectionChanged();
}

void PageGridScreen::selectAll()
{
    auto all = m_pages.pages();
    for (auto& page : all)
        page.selected = true;
    m_pages.change(all);
    emit selectionChanged();
}

void PageGridScreen::move(int from, int to)
{
    const int n = m_pages.rowCount();
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    remember();
    m_pages.move(from, to);
    m_anchor = to;
}

void PageGridScreen::rotateSelected(int degrees)
{
    if (degrees % 90 != 0 || selectedCount() == 0)
        return;
    remember();
    auto all = m_pages.pages();
    for (auto& page : all)
        if (page.selected)
            page.turn = ((page.turn + degrees) % 360 + 360) % 360;
    m_pages.change(all);
}

void PageGridScreen::deleteSelected()
{
    const int selected = selectedCount();
    if (selected == 0)
        return;
    if (selected == m_pages.rowCount()) {
        alert(tr("Pages Not Deleted"),
              tr("A PDF needs at least one page. Keep one or more pages, or go back."));
        return;
    }
    remember();
    std::vector<PageGridModel::Page> rest;
    for (const auto& page : m_pages.pages())
        if (!page.selected)
            rest.push_back(page);
    m_pages.setPages(std::move(rest));
    m_anchor = -1;
}

void PageGridScreen::remember()
{
    m_undo.push_back(m_pages.pages());
    if (m_undo.size() == 1)
        emit undoChanged();
}

void PageGridScreen::undo()
{
    if (m_undo.empty())
        return;
    m_pages.setPages(std::move(m_undo.back()));
    m_undo.pop_back();
    m_anchor = -1;
    emit selectionChanged();
    if (m_undo.empty())
        emit undoChanged();
}

void PageGridScreen::save()
{
    if (m_pages.rowCount() == 0)
        return;
    Services& s = services();
    const auto work = [&s, documents = m_documents, passwords = m_passwords,
                       pages = m_pages.pages()](JobControl& job) -> HistoryStore::Written {
        // Only documents that still give a page are read; each page is then found by where its
        // document's pages begin.
        std::vector<int> first(size_t(documents.size()), -1);
        PdfOrganizer organizer;
        job.beginStage(int(documents.size()) + 1, tr("Reading the pages"));
        for (const auto& page : pages) {
            auto& start = first[size_t(page.document)];
            if (start >= 0)
                continue;
            start = organizer.pageCount();
            if (!organizer.appendPdf(documents[page.document], passwords[page.document]))
                return {{},
                        QFileInfo(documents[page.document]).fileName() + QStringLiteral(": ") +
                            organizer.error()};
            job.advance();
        }
        QList<int> order;
        for (const auto& page : pages)
            order << first[size_t(page.document)] + page.page;
        organizer.keep(order);
        int at = 0;
        for (const auto& page : pages) {
            if (page.turn != 0)
                organizer.rotate({at}, page.turn);
            ++at;
        }
        if (job.isCancelled())
            return {};
        job.setLabel(tr("Writing the PDF"));
        const auto stem = qint64(std::trunc(s.clock->now()));
        return s.history->write(stem, QStringLiteral("pdf"), organizer.writer());
    };
    // The saved PDF keeps the protection of the first protected document it takes pages from.
    QByteArray protectedBy;
    for (const auto& page : m_pages.pages())
        if (!m_passwords[page.document].isEmpty()) {
            protectedBy = m_passwords[page.document];
            break;
        }
    m_job.run(tr("Saving..."), work, [this, protectedBy](const HistoryStore::Written& written) {
        if (!written.ok()) {
            m_job.fail(written.error);
            alert(tr("PDF Not Saved"), tr("The PDF could not be saved: %1").arg(written.error));
            return;
        }
        m_savedPath = written.path;
        m_savedPassword = protectedBy;
        performSegue(QStringLiteral("segue_PDF"));
    });
}

void PageGridScreen::alert(const QString& title, const QString& message)
{
    services().alerts->present({title, message, {{tr("OK"), {}}}});
}

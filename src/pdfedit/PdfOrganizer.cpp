// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfOrganizer.h"

#include "DevicePipeline.h"
#include "PageText.h"
#include "TextOverlay.h"
#include "common/LocalPath.h"

#include <QDir>
#include <QSet>
#include <QTemporaryFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <set>
#include <stdexcept>

PdfOrganizer::PdfOrganizer() = default;
PdfOrganizer::~PdfOrganizer() = default;

bool PdfOrganizer::appendPdf(const QString& path, const QByteArray& password)
{
    auto source = std::make_unique<QPDF>();
    source->setSuppressWarnings(true);
    try {
        source->processFile(LocalPath::encode(path).constData(), password.constData());
        if (source->isEncrypted() && !password.isEmpty() && m_inherited.isEmpty())
            m_inherited = password;
        return append(std::move(source));
    } catch (const QPDFExc& e) {
        m_lock = e.getErrorCode() != qpdf_e_password ? PdfPassword::Lock::Unreadable
                 : password.isEmpty()                ? PdfPassword::Lock::Needed
                                                     : PdfPassword::Lock::Wrong;
        m_error = PdfPassword::reason(m_lock);
    } catch (const std::exception& e) {
        m_lock = PdfPassword::Lock::Unreadable;
        m_error =
            PdfPassword::reason(m_lock) + QStringLiteral(": ") + QString::fromStdString(e.what());
    }
    return false;
}

bool PdfOrganizer::appendPhotos(const QList<Image>& photos, const PdfWriter::Options& options)
{
    // The photos become a PDF of their own first, on disk rather than in memory, whose pages
    // are then taken as any other PDF's.
    auto file =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/quire-XXXXXX.pdf"));
    QString error;
    if (!file->open() || !PdfWriter::write(photos, *file, error, nullptr, options) ||
        !file->flush()) {
        m_error = error.isEmpty() ? file->errorString() : error;
        return false;
    }
    const QString path = file->fileName();
    m_photoPdfs.push_back(std::move(file));
    return appendPdf(path);
}

bool PdfOrganizer::append(std::unique_ptr<QPDF> source)
{
    if (!m_pdf) {
        m_pdf = std::move(source);
        QPDFPageDocumentHelper(*m_pdf).getAllPages(); // fails now on a broken page tree
        return true;
    }
    QPDFPageDocumentHelper into(*m_pdf);
    // Pages are copied with what they draw and their links; links to pages of the same source
    // lead to the copies.
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*source).getAllPages())
        into.addPage(page, false);
    appendOutline(*source);
    m_sources.push_back(std::move(source));
    return true;
}

void PdfOrganizer::appendOutline(QPDF& source)
{
    QPDFObjectHandle theirs = source.getRoot().getKey("/Outlines");
    if (!theirs.isDictionary() || !theirs.getKey("/First").isDictionary())
        return;
    // Copied after the pages, so that its destinations name the copies.
    QPDFObjectHandle copy = m_pdf->copyForeignObject(theirs);
    QPDFObjectHandle root = m_pdf->getRoot();
    QPDFObjectHandle ours = root.getKey("/Outlines");
    if (!ours.isDictionary()) {
        ours = m_pdf->makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        root.replaceKey("/Outlines", ours);
    }
    std::set<QPDFObjGen> seen; // a damaged outline may loop
    QPDFObjectHandle item = copy.getKey("/First");
    for (; item.isDictionary() && seen.insert(item.getObjGen()).second; item = item.getKey("/Next"))
        item.replaceKey("/Parent", ours);
    QPDFObjectHandle first = copy.getKey("/First");
    QPDFObjectHandle last = ours.getKey("/Last");
    if (last.isDictionary()) {
        last.replaceKey("/Next", first);
        first.replaceKey("/Prev", last);
    } else {
        ours.replaceKey("/First", first);
    }
    ours.replaceKey("/Last", copy.getKey("/Last"));
    const auto count = [](QPDFObjectHandle o) {
        return o.getKey("/Count").isInteger() ? o.getKey("/Count").getIntValue() : 0;
    };
    ours.replaceKey("/Count", QPDFObjectHandle::newInteger(count(ours) + count(copy)));
}

int PdfOrganizer::pageCount() const
{
    return m_pdf ? int(QPDFPageDocumentHelper(*m_pdf).getAllPages().size()) : 0;
}

void PdfOrganizer::rotate(const QList<int>& pages, int degrees)
{
    std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(*m_pdf).getAllPages();
    for (const int i : pages)
        if (i >= 0 && size_t(i) < all.size())
            all[size_t(i)].rotatePage(degrees, true);
}

void PdfOrganizer::keep(const QList<int>& pages)
{
    QPDFPageDocumentHelper document(*m_pdf);
    std::vector<QPDFPageObjectHelper> all = document.getAllPages();
    for (QPDFPageObjectHelper& page : all)
        document.removePage(page);
    QSet<int> kept;
    for (const int i : pages) {
        if (i >= 0 && size_t(i) < all.size() && !kept.contains(i)) {
            document.addPage(all[size_t(i)], false);
            kept.insert(i);
        }
    }
    // A page taken out must not stay in the file through an outline entry or link that leads
    // to it: those now lead nowhere, as in qpdf's own page selection.
    for (size_t i = 0; i < all.size(); ++i)
        if (!kept.contains(int(i)))
            m_pdf->replaceObject(all[i].getObjectHandle().getObjGen(), QPDFObjectHandle::newNull());
}

void PdfOrganizer::remove(const QList<int>& pages)
{
    QList<int> rest;
    for (int i = 0; i < pageCount(); ++i)
        if (!pages.contains(i))
            rest << i;
    keep(rest);
}

QList<bool> PdfOrganizer::pagesWithText() const
{
    QList<bool> texts;
    if (m_pdf)
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*m_pdf).getAllPages())
            texts << PageText::has(page);
    return texts;
}

bool PdfOrganizer::overlay(int page, const QString& layerPdf)
{
    try {
        auto layer = std::make_unique<QPDF>();
        layer->processFile(LocalPath::encode(layerPdf).constData());
        auto pages = QPDFPageDocumentHelper(*m_pdf).getAllPages();
        TextOverlay::add(*m_pdf, pages.at(size_t(page)), *layer);
        m_sources.push_back(std::move(layer));
        return true;
    } catch (const std::exception& e) {
        m_error = QStringLiteral("page %1: %2").arg(page + 1).arg(QString::fromStdString(e.what()));
        return false;
    }
}

bool PdfOrganizer::write(QIODevice& out, QString& error, const QByteArray& password) const
{
    if (!m_pdf) {
        error = QStringLiteral("no pages to write");
        return false;
    }
    try {
        DevicePipeline pipe(out);
        QPDFWriter writer(*m_pdf);
        writer.setOutputPipeline(&pipe);
        // Without either, a protected base keeps its own protection as it was.
        if (const QByteArray& with = password.isEmpty() ? m_inherited : password; !with.isEmpty())
            PdfPassword::protect(writer, with);
        writer.write();
        return true;
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
}

HistoryStore::Writer PdfOrganizer::writer(QByteArray password) const
{
    return [this, password = std::move(password)](QIODevice& out, QString& error) {
        return write(out, error, password);
    };
}

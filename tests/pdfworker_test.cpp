// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdfworker/PdfWorkerPool.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "viewer/PdfPages.h"

#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

namespace {
// Draws through pool from another thread, as the viewers' image loader does.
QImage drawElsewhere(PdfWorkerPool& pool, const QString& path, int page, QSize size)
{
    return QtConcurrent::run([&] { return pool.draw(path, page, size); }).result();
}
} // namespace

TEST(PdfWorkers, ViewersGetPagesAndSizesFromTheHelpersAndAHangingPageCostsOnlyItself)
{
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/three.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));

    PdfPages pages;
    pages.setSource(QUrl::fromLocalFile(pdf));
    EXPECT_EQ(pages.status(), PdfPages::Loading);
    ASSERT_TRUE(fixtures::waitFor([&] { return pages.status() != PdfPages::Loading; }));
    EXPECT_EQ(pages.status(), PdfPages::Ready);
    EXPECT_EQ(pages.pageCount(), 3);
    EXPECT_EQ(pages.pagePointSize(1), QSizeF(612, 792));
    EXPECT_EQ(pages.maxPageWidth(), 612);

    const fixtures::ScopedEnv fault("QUIRE_PDF_WORKER_FAULT", "hang:2");
    const fixtures::ScopedEnv limit("QUIRE_PAGE_TIMEOUT", "5");
    PdfWorkerPool pool; // its helpers start now, with the fault switched on
    const QImage first = drawElsewhere(pool, pdf, 0, QSize(306, 1000));
    ASSERT_EQ(first.size(), QSize(306, 396)) << "fitted, in proportion";
    EXPECT_EQ(first.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(drawElsewhere(pool, pdf, 1, QSize(306, 396)).isNull()) << "given up on";
    EXPECT_EQ(drawElsewhere(pool, pdf, 2, QSize(306, 396)).size(), QSize(306, 396));
    EXPECT_TRUE(drawElsewhere(pool, dir.path() + "/missing.pdf", 0, QSize(10, 10)).isNull());

    PdfPages broken;
    broken.setSource(QUrl::fromLocalFile(dir.path() + "/missing.pdf"));
    ASSERT_TRUE(fixtures::waitFor([&] { return broken.status() != PdfPages::Loading; }));
    EXPECT_EQ(broken.status(), PdfPages::Error);
}

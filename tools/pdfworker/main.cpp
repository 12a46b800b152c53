// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-pdf-worker: Quire's helper process that opens a PDF and draws its pages on request.
#include "common/LibraryChatter.h"
#include "pdfworker/PdfWorkerServer.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    PdfWorkerServer::confine();
    LibraryChatter::quiet(false);
    QCoreApplication app(argc, argv);
    return PdfWorkerServer(stdin, stdout).run();
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliUsage.h"

#include <QCoreApplication>

#include <cstring>

namespace {
// Translated in the context of the command runner, where the text has always lived.
const char* kUsage = QT_TRANSLATE_NOOP(
    "CliApp",
    "Usage: quire-cli <command> [options]\n"
    "\n"
    "Commands:\n"
    "  pdf PHOTO... [-o OUT.pdf] [--page-size a4|letter|photo] [--margin 10mm]\n"
    "      [--searchable] [--lang eng+deu] [--scan[=FILTER]]\n"
    "                                            photos to one PDF\n"
    "  images PDF [-o DIR] [--dpi N | --scale S] [--pages 1-3,8]\n"
    "                                            PDF pages to PNG images\n"
    "  compress PHOTO... [-o DIR] [--quality Q | --max-size SIZE] [--keep-location]\n"
    "                                            photos to JPEG\n"
    "  resize PHOTO --width W [--height H] [--stretch] [-o OUT.png]\n"
    "  ocr PHOTO|PDF... [--lang eng+deu] [-o DIR] [--scan]\n"
    "                                            text of photos on stdout, or DIR/NAME.txt;\n"
    "                                            a PDF's pages separated by a form feed\n"
    "  ocr PDF --searchable [--force] -o OUT.pdf\n"
    "                                            a copy whose pages without text get theirs\n"
    "  scan PHOTO... [-o DIR] [--filter original|grey|document|bw] [--quad QUAD]\n"
    "                                            photos of paper to straight, clean pages\n"
    "  scan --corners PHOTO...                   the page corners found in photos\n"
    "  merge PDF|PHOTO... -o OUT.pdf             PDFs and photos joined in order\n"
    "  split PDF --pages 1-3,4-9 [-o DIR]        a PDF per range (default: per page)\n"
    "  rotate PDF --pages 2 --by 90 -o OUT.pdf   pages turned clockwise\n"
    "  delete PDF --pages 5,7 -o OUT.pdf         pages taken out\n"
    "  protect PDF -o OUT.pdf                    a copy that opens with a password\n"
    "  --list-langs                              text recognition languages installed\n"
    "\n"
    "  --version                                 the version of quire-cli\n"
    "\n"
    "Without -o, files go to Quire's History folder. Written paths are printed one\n"
    "per line; nothing is overwritten unless --overwrite is given.\n"
    "\n"
    "Every command also takes the batch options:\n"
    "  --from FILE (- for stdin) [--null] [--slice K/N]   inputs from a list\n"
    "  --skip-existing | --overwrite    with -o, outputs named after their inputs\n"
    "  --status FILE | --json           a JSON line per input, then a summary\n"
    "  --jobs N                         cores to use (also QUIRE_JOBS)\n"
    "  --timeout SECONDS                time limit per input\n"
    "\n"
    "PDFs are written with a password by --protect, and protected PDFs opened, with the\n"
    "password from QUIRE_PDF_PASSWORD or asked on the terminal.\n"
    "\n"
    "Exit status: 0 every input done or skipped, 1 some input failed, 2 bad usage,\n"
    "130 interrupted (files already whole stay). 'quire-cli <command> --help' for more.\n");
} // namespace

QString CliUsage::text()
{
    return QCoreApplication::translate("CliApp", kUsage);
}

bool CliUsage::answeredByFront(const char* command)
{
    return command == nullptr || qstrcmp(command, "--help") == 0 || qstrcmp(command, "-h") == 0 ||
           qstrcmp(command, "--version") == 0;
}

bool CliUsage::isPdfPath(const QString& path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

bool CliUsage::namesPhotosOnly(int argc, const char* const argv[])
{
    for (int i = 2; i < argc; ++i) {
        // The runners take a long option after one dash as well as after two.
        QByteArrayView word(argv[i]);
        word = word.startsWith("--") ? word.sliced(2) : word.startsWith('-') ? word.sliced(1) : "";
        if (word == "from" || word.startsWith("from=") ||
            isPdfPath(QString::fromLocal8Bit(argv[i])))
            return false;
    }
    return true;
}

QString CliUsage::cannotStart(const QString& runner, int error)
{
    const QString reason = error == 0 ? QCoreApplication::translate("CliApp", "not installed")
                                      : QString::fromLocal8Bit(std::strerror(error));
    return QCoreApplication::translate("CliApp", "quire-cli: cannot start %1: %2\n")
        .arg(runner, reason);
}

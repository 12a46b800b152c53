// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractEngine.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <tesseract/baseapi.h>

#include <algorithm>

#include <dlfcn.h>

namespace {
// The Debian package that adds a language: tesseract-ocr-deu, tesseract-ocr-chi-sim.
QString packageFor(const QString& language)
{
    return QStringLiteral("tesseract-ocr-") + language.toLower().replace(QLatin1Char('_'), '-');
}

QString missingDataError(const QStringList& languages)
{
    QStringList packages;
    for (const QString& l : languages)
        packages << packageFor(l);
    // No closing full stop: the console line of a failed read adds one.
    return QStringLiteral("Text recognition needs the language data for %1 (install %2)")
        .arg(languages.join(QStringLiteral(", ")), packages.join(QStringLiteral(" and ")));
}
} // namespace

namespace TesseractEngine {

std::unique_ptr<tesseract::TessBaseAPI> open(const QString& language, const QString& dataPath,
                                             QString& error)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
    if (!valid.match(language).hasMatch()) {
        error = QStringLiteral("\"%1\" is not a Tesseract language code").arg(language);
        return nullptr;
    }
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    const QByteArray path = dataPath.isEmpty() ? QByteArray() : (dataPath + '/').toUtf8();
    const int rc = api->Init(path.isEmpty() ? nullptr : path.constData(),
                             language.toUtf8().constData(), tesseract::OEM_LSTM_ONLY);
    std::vector<std::string> loaded;
    if (rc == 0)
        api->GetLoadedLanguagesAsVector(&loaded);
    QStringList missing;
    for (const QString& l : language.split(QLatin1Char('+')))
        if (std::ranges::find(loaded, l.toStdString()) == loaded.end())
            missing << l;
    if (!missing.isEmpty()) {
        error = missingDataError(missing);
        return nullptr;
    }
    // Its notes on estimated resolution and the like would fill the console on every photo.
    api->SetVariable("debug_file", "/dev/null");
    api->SetPageSegMode(tesseract::PSM_AUTO);
    return api;
}

void keepOpenMpToOneThread()
{
    // OMP_THREAD_LIMIT only counts when set before libgomp starts, which happens before main()
    // when it is linked in, so nested parallelism is also turned off through the runtime itself
    // (looked up at run time: there is none when Tesseract was built without OpenMP).
    using SetLevels = void (*)(int);
    static const auto setLevels =
        reinterpret_cast<SetLevels>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"));
    if (setLevels)
        setLevels(0);
}

void setImage(tesseract::TessBaseAPI& api, const QImage& grey, int top, int height)
{
    api.SetImage(grey.constScanLine(top), grey.width(), height < 0 ? grey.height() - top : height,
                 1, int(grey.bytesPerLine()));
}

QImage toGrey(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32) {
        // OpenCV's conversion, on every core: Qt's takes a whole core a tenth of a second on a
        // page at 300 dpi.
        QImage grey(image.size(), QImage::Format_Grayscale8);
        const cv::Mat from(image.height(), image.width(), CV_8UC4,
                           const_cast<uchar*>(image.constBits()), size_t(image.bytesPerLine()));
        cv::Mat to(grey.height(), grey.width(), CV_8UC1, grey.bits(), size_t(grey.bytesPerLine()));
        cv::cvtColor(from, to, cv::COLOR_BGRA2GRAY);
        return grey;
    }
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

} // namespace TesseractEngine

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageOrientation.h"

#include "ScanLogging.h"
#include "platform/qt/TesseractEngine.h"

#include <tesseract/baseapi.h>

#include <QTransform>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {
// Text of body size is then a dozen pixels high or more, which the detector needs.
constexpr int kWorkSide = 2000;
// Words read at least this sure (of 100) show that the text stands the way it was read, when the
// other way reads at least kMinLead less.
constexpr int kMinWordConfidence = 60;
constexpr int kMinLead = 15;

// One detector per thread, started on first use: loading its data costs more than a page.
tesseract::TessBaseAPI* detector()
{
    thread_local std::unique_ptr<tesseract::TessBaseAPI> api;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        TesseractEngine::keepOpenMpToOneThread();
        auto made = std::make_unique<tesseract::TessBaseAPI>();
        // Tesseract finds its data itself (its built-in folder, or TESSDATA_PREFIX).
        if (made->Init(nullptr, "osd", tesseract::OEM_TESSERACT_ONLY) == 0) {
            made->SetVariable("debug_file", "/dev/null");
            made->SetPageSegMode(tesseract::PSM_OSD_ONLY);
            api = std::move(made);
        } else {
            qCWarning(lcScan) << "orientation detection is off: install tesseract-ocr-osd";
        }
    }
    return api.get();
}

// One reader per thread, for weighing two ways up against each other.
tesseract::TessBaseAPI* reader()
{
    thread_local std::unique_ptr<tesseract::TessBaseAPI> api;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        QString error;
        api = TesseractEngine::open(QStringLiteral("eng"), {}, error);
    }
    return api.get();
}

// How sure the reader is of the words in the middle of the page, taking its text to be turned
// degrees clockwise (0 to 100; 0 when it reads none).
int wordConfidence(tesseract::TessBaseAPI& api, const QImage& grey, int degrees)
{
    const QImage turned = grey.transformed(QTransform().rotate(360 - degrees));
    // A band across the middle: enough lines to go by, a fraction of the page's reading time.
    const QRect band(turned.width() / 8, turned.height() * 3 / 8, turned.width() * 3 / 4,
                     turned.height() / 4);
    const QImage part = turned.copy(band);
    TesseractEngine::setImage(api, part);
    const int confidence = api.Recognize(nullptr) == 0 ? api.MeanTextConf() : 0;
    api.Clear();
    return confidence;
}

// The detector can tell which way the lines run far better than which end of them is the start:
// when it is unsure, the page is read both ways and the way whose words make sense wins.
int settledDegrees(const QImage& grey, int degrees)
{
    tesseract::TessBaseAPI* api = reader();
    if (!api)
        return -1;
    const int as = wordConfidence(*api, grey, degrees);
    const int flipped = wordConfidence(*api, grey, (degrees + 180) % 360);
    qCDebug(lcScan) << "words read at" << degrees << as << "and turned half" << flipped;
    if (std::max(as, flipped) < kMinWordConfidence || std::abs(as - flipped) < kMinLead)
        return -1;
    return as > flipped ? degrees : (degrees + 180) % 360;
}
} // namespace

int PageOrientation::quarterTurnsToUpright(const QImage& greyPage)
{
    tesseract::TessBaseAPI* api = detector();
    if (!api || greyPage.isNull())
        return 0;
    QImage grey = TesseractEngine::toGrey(greyPage);
    if (std::max(grey.width(), grey.height()) > kWorkSide)
        grey = grey.scaled(kWorkSide, kWorkSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    TesseractEngine::setImage(*api, grey);
    int degrees = 0;
    float confidence = 0;
    const char* script = nullptr;
    float scriptConfidence = 0;
    const bool read =
        api->DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence);
    api->Clear();
    qCDebug(lcScan) << "text orientation" << degrees << "confidence" << confidence;
    if (!read)
        return 0;
    const bool quarter = degrees == 90 || degrees == 270;
    const bool landscape = greyPage.width() > greyPage.height();
    if (confidence < kCheckedBelow) {
        const int settled = settledDegrees(grey, degrees);
        if (settled >= 0)
            degrees = settled;
        else if (confidence < kMinConfidence &&
                 (!quarter || !landscape || confidence < kMinSidewaysConfidence))
            return 0;
    }
    // The detector gives how far the text is turned clockwise; turning on to a whole circle
    // stands it up.
    return ((360 - degrees) / 90) % 4;
}

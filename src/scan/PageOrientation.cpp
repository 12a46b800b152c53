// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageOrientation.h"

#include "ScanLogging.h"
#include "platform/qt/TesseractEngine.h"

#include <tesseract/baseapi.h>

#include <memory>

namespace {
// Text of body size is then a dozen pixels high or more, which the detector needs.
constexpr int kWorkSide = 2000;

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
} // namespace

int PageOrientation::quarterTurnsToUpright(const QImage& greyPage)
{
    tesseract::TessBaseAPI* api = detector();
    if (!api || greyPage.isNull())
        return 0;
    QImage grey = TesseractEngine::toGrey(greyPage);
    if (std::max(grey.width(), grey.height()) > kWorkSide)
        grey = grey.scaled(kWorkSide, kWorkSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    api->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    int degrees = 0;
    float confidence = 0;
    const char* script = nullptr;
    float scriptConfidence = 0;
    const bool read =
        api->DetectOrientationScript(&degrees, &confidence, &script, &scriptConfidence);
    api->Clear();
    qCDebug(lcScan) << "text orientation" << degrees << "confidence" << confidence;
    const bool quarter = degrees == 90 || degrees == 270;
    const bool landscape = greyPage.width() > greyPage.height();
    if (!read || confidence < (quarter && landscape ? kMinSidewaysConfidence : kMinConfidence))
        return 0;
    // The detector gives how far the text is turned clockwise; turning on to a whole circle
    // stands it up.
    return ((360 - degrees) / 90) % 4;
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextRecognizer.h"

#include <QRect>

namespace tesseract {
class TessBaseAPI;
}

// The lines an engine has just recognised, in its reading order, each with the other readings
// its uncertain characters allow; with boxes, where each line lies on the page.
namespace TesseractLines {
QList<RecognizedLine> read(tesseract::TessBaseAPI& api, QList<QRect>* boxes = nullptr);
}

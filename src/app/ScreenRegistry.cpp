// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenRegistry.h"

#include "ViewController.h"
#include "home/HomeScreen.h"
#include "picker/SelectImageScreen.h"
#include "screens/compress/CompressImagePreviewScreen.h"
#include "screens/compress/CompressImageScreen.h"
#include "screens/compress/CompressPDFPreviewScreen.h"
#include "screens/compress/CompressPDFScreen.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/ocr/TextScreen.h"
#include "screens/resize/ResizeImagePreviewScreen.h"
#include "screens/resize/ResizeImageScreen.h"
#include "screens/scan/AdjustScreen.h"
#include "screens/toimages/ImagePreviewScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "settings/SettingScreen.h"
#include "ui/Navigator.h"
#include "viewer/PDFPreviewScreen.h"
#include "viewer/PageGridScreen.h"
#include "viewer/ViewImageScreen.h"

namespace {
template <typename T> void add(Navigator& navigator, const char* name)
{
    navigator.registerScreen(QString::fromLatin1(name), [](Services& s) { return new T(s); });
}
} // namespace

void registerScreens(Navigator& navigator)
{
    add<ViewController>(navigator, "ViewController");
    add<HomeScreen>(navigator, "HomeScreen");
    add<SettingScreen>(navigator, "SettingScreen");
    add<SelectImageScreen>(navigator, "SelectImageScreen");
    add<CompressImageScreen>(navigator, "CompressImageScreen");
    add<CompressImagePreviewScreen>(navigator, "CompressImagePreviewScreen");
    add<CompressPDFScreen>(navigator, "CompressPDFScreen");
    add<CompressPDFPreviewScreen>(navigator, "CompressPDFPreviewScreen");
    add<ResizeImageScreen>(navigator, "ResizeImageScreen");
    add<ResizeImagePreviewScreen>(navigator, "ResizeImagePreviewScreen");
    add<ExtractTextScreen>(navigator, "ExtractTextScreen");
    add<TextScreen>(navigator, "TextScreen");
    add<PDFToImageScreen>(navigator, "PDFToImageScreen");
    add<ImagePreviewScreen>(navigator, "ImagePreviewScreen");
    add<ViewImageScreen>(navigator, "ViewImageScreen");
    add<AdjustScreen>(navigator, "AdjustScreen");
    add<ImageToPDFScreen>(navigator, "ImageToPDFScreen");
    add<PDFPreviewScreen>(navigator, "PDFPreviewScreen");
    add<PageGridScreen>(navigator, "PageGridScreen");
}

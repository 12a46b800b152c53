#include "ScreenRegistry.h"

#include "ViewController.h"
#include "compress/CompressImagePreviewScreen.h"
#include "compress/CompressImageScreen.h"
#include "home/HomeScreen.h"
#include "ocr/ExtractTextScreen.h"
#include "ocr/TextScreen.h"
#include "picker/SelectImageScreen.h"
#include "resize/ResizeImagePreviewScreen.h"
#include "resize/ResizeImageScreen.h"
#include "settings/SettingScreen.h"
#include "toimages/ImagePreviewScreen.h"
#include "toimages/PDFToImageScreen.h"
#include "topdf/ImageToPDFScreen.h"
#include "ui/Navigator.h"
#include "viewer/PDFPreviewScreen.h"
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
    add<ResizeImageScreen>(navigator, "ResizeImageScreen");
    add<ResizeImagePreviewScreen>(navigator, "ResizeImagePreviewScreen");
    add<ExtractTextScreen>(navigator, "ExtractTextScreen");
    add<TextScreen>(navigator, "TextScreen");
    add<PDFToImageScreen>(navigator, "PDFToImageScreen");
    add<ImagePreviewScreen>(navigator, "ImagePreviewScreen");
    add<ViewImageScreen>(navigator, "ViewImageScreen");
    add<ImageToPDFScreen>(navigator, "ImageToPDFScreen");
    add<PDFPreviewScreen>(navigator, "PDFPreviewScreen");
}

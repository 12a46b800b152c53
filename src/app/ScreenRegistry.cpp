#include "ScreenRegistry.h"

#include "app/ViewController.h"
#include "home/HomeScreen.h"
#include "platform/Navigator.h"
#include "topdf/ImageToPDFScreen.h"
#include "topdf/PDFPreviewScreen.h"

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
    add<ImageToPDFScreen>(navigator, "ImageToPDFScreen");
    add<PDFPreviewScreen>(navigator, "PDFPreviewScreen");
}

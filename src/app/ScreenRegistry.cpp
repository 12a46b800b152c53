#include "ScreenRegistry.h"

#include "app/ViewController.h"
#include "home/HomeScreen.h"
#include "platform/Navigator.h"
#include "toimages/ImagePreviewScreen.h"
#include "toimages/PDFToImageScreen.h"
#include "toimages/ViewImageScreen.h"

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
    add<PDFToImageScreen>(navigator, "PDFToImageScreen");
    add<ImagePreviewScreen>(navigator, "ImagePreviewScreen");
    add<ViewImageScreen>(navigator, "ViewImageScreen");
}

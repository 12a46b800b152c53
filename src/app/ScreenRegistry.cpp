#include "ScreenRegistry.h"

#include "app/ViewController.h"
#include "home/HomeScreen.h"
#include "ocr/ExtractTextScreen.h"
#include "ocr/TextScreen.h"
#include "platform/Navigator.h"

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
    add<ExtractTextScreen>(navigator, "ExtractTextScreen");
    add<TextScreen>(navigator, "TextScreen");
}

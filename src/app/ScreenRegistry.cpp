#include "ScreenRegistry.h"

#include "app/ViewController.h"
#include "home/HomeScreen.h"
#include "home/SettingScreen.h"
#include "picker/SelectImageScreen.h"
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
    add<SettingScreen>(navigator, "SettingScreen");
    add<SelectImageScreen>(navigator, "SelectImageScreen");
}

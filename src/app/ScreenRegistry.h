#pragma once

class Navigator;

// Tells the navigator how to make every screen the navigation graph names.
void registerScreens(Navigator& navigator);

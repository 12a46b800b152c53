#pragma once

#include "ui/Screen.h"

// The start screen: hides the bar, then moves to the home screen half a second after loading.
class ViewController : public Screen
{
    Q_OBJECT
  public:
    using Screen::Screen;
    void viewDidLoad() override;
    void viewWillAppear() override;
};

#pragma once

#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

// The desktop clipboard.
class SystemClipboard : public Clipboard
{
  public:
    void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
    [[nodiscard]] QString text() const override { return QGuiApplication::clipboard()->text(); }
};

#pragma once

#include <QString>

// The system pasteboard, text only.
class Clipboard
{
  public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    [[nodiscard]] virtual QString text() const = 0;
};

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Whether the desktop asks for dark colours; the theme follows it while Quire runs.
// QUIRE_COLOR_SCHEME=dark or =light overrides the desktop.
class ColorScheme : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)
  public:
    explicit ColorScheme(QObject* parent = nullptr);
    [[nodiscard]] bool dark() const { return m_dark; }
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void darkChanged();

  private:
    void update();
    bool m_dark = false;
};

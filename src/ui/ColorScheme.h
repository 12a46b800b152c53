// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class PortalColorScheme;
class UserDefaults;

// Whether the theme is dark: as the user chose in Settings (System, Light or Dark), and for
// System as the desktop asks, through the XDG portal's colour-scheme setting or else the
// platform theme's palette, followed while Quire runs. QUIRE_COLOR_SCHEME=dark or =light stands
// in for the desktop.
class ColorScheme : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)
    // "system", "light" or "dark".
    Q_PROPERTY(QString choice READ choice WRITE setChoice NOTIFY choiceChanged)
  public:
    static constexpr const char* kChoiceKey = "colorScheme";

    explicit ColorScheme(QObject* parent = nullptr);
    ~ColorScheme() override;
    // Where the choice is kept; read at once.
    void setDefaults(UserDefaults* defaults);
    [[nodiscard]] bool dark() const { return m_dark; }
    [[nodiscard]] QString choice() const { return m_choice; }
    void setChoice(const QString& choice);
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void darkChanged();
    void choiceChanged();

  private:
    void update();
    [[nodiscard]] bool desktopDark() const;

    UserDefaults* m_defaults = nullptr;
    PortalColorScheme* m_portal = nullptr;
    QString m_choice = QStringLiteral("system");
    bool m_dark = false;
};

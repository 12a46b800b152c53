// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantList>

class TextRecognizer;
class UserDefaults;

// The languages text recognition reads: those installed for the engine, and the ones the user
// picked (remembered in the settings). Extract Text and searchable PDFs both read with these.
class RecognitionLanguages : public QObject
{
    Q_OBJECT
    // One entry per language shown: {code, name, chosen, installed, package}.
    Q_PROPERTY(QVariantList languages READ languages NOTIFY changed)
    // The chosen codes joined by '+', as the engine takes them ("eng+deu").
    Q_PROPERTY(QString chosen READ chosen NOTIFY changed)
  public:
    // dataPath: the engine's language folder; empty for where it looks by default.
    explicit RecognitionLanguages(UserDefaults* defaults, QString dataPath = {},
                                  QObject* parent = nullptr);

    [[nodiscard]] QVariantList languages() const;
    [[nodiscard]] QString chosen() const { return m_chosen.join(QLatin1Char('+')); }
    [[nodiscard]] QStringList installed() const { return installedIn(m_dataPath); }
    [[nodiscard]] QString dataPath() const { return m_dataPath; }

    // Picks or drops a language; the last one chosen cannot be dropped.
    Q_INVOKABLE void setChosen(const QString& code, bool on);
    // Keeps recognizer reading the chosen languages, from now on.
    void drive(TextRecognizer& recognizer);
    // Re-reads the folder, for languages installed while running.
    Q_INVOKABLE void refresh() { emit changed(); }

    // The language codes whose data lies in folder (orientation data is not a language).
    static QStringList installedIn(const QString& folder);
    // TESSDATA_PREFIX, or the first of the usual system folders that exists.
    static QString defaultDataPath();
    // "German" for "deu", "Chinese (chi_sim)" where only the first part is known.
    static QString displayName(const QString& code);
    // The Debian package that installs a language: tesseract-ocr-deu.
    static QString packageFor(const QString& code);

  signals:
    void changed();

  private:
    UserDefaults* m_defaults;
    QString m_dataPath;
    QStringList m_chosen{QStringLiteral("eng")};
};

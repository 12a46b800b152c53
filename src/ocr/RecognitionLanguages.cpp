// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionLanguages.h"

#include "platform/TextRecognizer.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QVariantMap>

namespace {
const QString kKey = QStringLiteral("recognitionLanguages");
} // namespace

RecognitionLanguages::RecognitionLanguages(UserDefaults* defaults, QString dataPath,
                                           QObject* parent)
    : QObject(parent), m_defaults(defaults),
      m_dataPath(dataPath.isEmpty() ? defaultDataPath() : std::move(dataPath))
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9_]+$"));
    const QStringList stored =
        m_defaults ? m_defaults->value(kKey).toString().split(QLatin1Char('+'), Qt::SkipEmptyParts)
                   : QStringList();
    QStringList valid;
    for (const QString& c : stored)
        if (code.match(c).hasMatch() && !valid.contains(c))
            valid << c;
    if (!valid.isEmpty())
        m_chosen = valid;
}

QVariantList RecognitionLanguages::languages() const
{
    const QStringList present = installed();
    QStringList shown = present;
    for (const QString& c : m_chosen) // a chosen language whose data went away is still shown
        if (!shown.contains(c))
            shown << c;
    QVariantList out;
    for (const QString& c : shown)
        out << QVariantMap{{QStringLiteral("code"), c},
                           {QStringLiteral("name"), displayName(c)},
                           {QStringLiteral("chosen"), m_chosen.contains(c)},
                           {QStringLiteral("installed"), present.contains(c)},
                           {QStringLiteral("package"), packageFor(c)}};
    return out;
}

void RecognitionLanguages::setChosen(const QString& code, bool on)
{
    if (on == m_chosen.contains(code) || (!on && m_chosen.size() == 1))
        return;
    if (on && !installed().contains(code))
        return;
    if (on)
        m_chosen << code;
    else
        m_chosen.removeAll(code);
    if (m_defaults) {
        m_defaults->setValue(kKey, chosen());
        m_defaults->synchronize();
    }
    emit changed();
}

void RecognitionLanguages::drive(TextRecognizer& recognizer)
{
    recognizer.setLanguage(chosen());
    connect(this, &RecognitionLanguages::changed, this,
            [this, &recognizer] { recognizer.setLanguage(chosen()); });
}

QStringList RecognitionLanguages::installedIn(const QString& folder)
{
    QStringList codes;
    const auto files = QDir(folder).entryInfoList({QStringLiteral("*.traineddata")},
                                                  QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : files)
        if (f.completeBaseName() != QLatin1String("osd"))
            codes << f.completeBaseName();
    return codes;
}

QString RecognitionLanguages::defaultDataPath()
{
    const QString env = qEnvironmentVariable("TESSDATA_PREFIX");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    for (const char* folder : {"/usr/share/tesseract-ocr/5/tessdata",
                               "/usr/share/tesseract-ocr/4.00/tessdata", "/usr/share/tessdata"})
        if (QDir(QString::fromLatin1(folder)).exists())
            return QString::fromLatin1(folder);
    return {};
}

QString RecognitionLanguages::displayName(const QString& code)
{
    const QString base = code.section(QLatin1Char('_'), 0, 0);
    const QLocale::Language language = QLocale::codeToLanguage(base, QLocale::ISO639Part2);
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return code;
    const QString name = QLocale::languageToString(language);
    return base == code ? name : QStringLiteral("%1 (%2)").arg(name, code);
}

QString RecognitionLanguages::packageFor(const QString& code)
{
    return QStringLiteral("tesseract-ocr-") + code.toLower().replace(QLatin1Char('_'), '-');
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Translations.h"

#include "common/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

bool Translations::install()
{
    const QString dir = folder();
    for (const QString& name : QLocale().uiLanguages()) {
        const QLocale language(name);
        // Someone who would rather read English than the next language on their list gets it.
        if (language.language() == QLocale::English || language.language() == QLocale::C)
            return false;
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(language, QStringLiteral("quire"), QStringLiteral("_"), dir)) {
            QCoreApplication::installTranslator(translator);
            qCDebug(lcUi) << "texts from" << translator->filePath();
            return true;
        }
        delete translator;
    }
    return false;
}

QString Translations::folder()
{
    // From bin/, or from libexec/quire/ where quire-cli's command runner is installed.
    const QString dir = QCoreApplication::applicationDirPath();
    const QString installed = dir + QStringLiteral("/../share/quire/translations");
    for (const QString& path : {installed, dir + QStringLiteral("/../../share/quire/translations")})
        if (QDir(path).exists())
            return QDir(path).canonicalPath();
#ifdef QUIRE_TRANSLATIONS_BUILT
    return QStringLiteral(QUIRE_TRANSLATIONS_BUILT); // running from the build tree
#else
    return installed;
#endif
}

// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "ocr/RecognitionLanguages.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "settings/SettingScreen.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

namespace {
const QString kData = QStringLiteral(QUIRE_TEST_DATA "/tessdata");

QStringList field(const QVariantList& languages, const char* key)
{
    QStringList out;
    for (const QVariant& l : languages)
        out << l.toMap().value(QLatin1String(key)).toString();
    return out;
}
} // namespace

TEST(RecognitionLanguages, TheInstalledLanguagesAreListedByName)
{
    EXPECT_EQ(RecognitionLanguages::installedIn(kData),
              QStringList({"chi_sim", "deu", "eng"})); // orientation data is no language
    MemoryUserDefaults defaults;
    RecognitionLanguages languages(&defaults, kData);
    const QVariantList shown = languages.languages();
    EXPECT_EQ(field(shown, "name"), QStringList({"Chinese (chi_sim)", "German", "English"}));
    EXPECT_EQ(field(shown, "chosen"), QStringList({"false", "false", "true"}));
    EXPECT_EQ(languages.chosen(), "eng"); // until the user picks
}

TEST(RecognitionLanguages, SeveralArePickedRememberedAndAMissingOneNamesItsPackage)
{
    MemoryUserDefaults defaults;
    {
        RecognitionLanguages languages(&defaults, kData);
        languages.setChosen("deu", true);
        languages.setChosen("fra", true); // not installed: cannot be picked
        EXPECT_EQ(languages.chosen(), "eng+deu");
        languages.setChosen("eng", false);
        languages.setChosen("deu", false); // the last one stays
        EXPECT_EQ(languages.chosen(), "deu");
        languages.setChosen("eng", true);
    }
    EXPECT_EQ(RecognitionLanguages(&defaults, kData).chosen(), "deu+eng");

    // Chosen earlier, its data gone since: still listed, with the package that brings it back.
    defaults.setValue("recognitionLanguages", "eng+fra");
    const QVariantList shown = RecognitionLanguages(&defaults, kData).languages();
    EXPECT_EQ(field(shown, "code").last(), "fra");
    EXPECT_EQ(field(shown, "installed").last(), "false");
    EXPECT_EQ(field(shown, "package").last(), "tesseract-ocr-fra");
}

// The settings screen's choice is what Extract Text reads with; here the real engine, which has
// only English, names the package German needs.
TEST(RecognitionLanguages, ExtractTextReadsWithTheLanguagesChosenInTheSettings)
{
    TestPlatform p;
    RecognitionLanguages languages(&p.defaults, kData);
    languages.drive(p.tesseract);
    p.services.languages = &languages;
    p.services.recognizer = &p.tesseract;
    p.navigator->setRoot(new HomeScreen(p.services));
    SettingScreen settings(p.services);
    settings.languages()->setChosen("deu", true);
    EXPECT_EQ(p.tesseract.language(), "eng+deu");

    auto* screen = new ExtractTextScreen(p.services);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(200, 100))});
    p.navigator->push(screen);
    screen->btnExtract();
    p.drain();
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Info);
    EXPECT_TRUE(p.overlay->status().contains("tesseract-ocr-deu"))
        << p.overlay->status().toStdString();
}

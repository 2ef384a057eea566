#include "window/fonts.h"
#include "window/programstart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

TEST(ProgramStartTest, QtsOwnDialogsSpeakGerman)
{
    ASSERT_TRUE(installGermanTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

TEST(ProgramStartTest, TheWindowFontsHaveElevenPixelsAndWinesTwinsStandIn)
{
    registerFallbackFonts();
    EXPECT_EQ(QFontInfo(windowFont()).pixelSize(), 11);
    EXPECT_TRUE(QFontInfo(headingFont()).bold());
    if (!QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "Wine's fonts are not installed";
    EXPECT_TRUE(QFontDatabase::hasFamily(QStringLiteral("Tahoma")));
    EXPECT_TRUE(QFontInfo(headingFont()).bold());
    EXPECT_EQ(QFontInfo(headingFont()).pixelSize(), 11);
    EXPECT_EQ(QFontInfo(windowFont()).family(), QStringLiteral("Tahoma"));
}

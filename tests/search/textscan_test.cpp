#include "errors/qvxerror.h"
#include "fixtures.h"
#include "search/preparedtext.h"
#include "search/textscan.h"

#include <gtest/gtest.h>

TEST(TextScan, CountsAheadAndAtTheTurnInTheRecipesEncoding)
{
    TempCorpus corpus;
    const QString path = corpus.write("a.txt", "\xEF\xBB\xBFM\xC3\xA4rz und M\xC3\xA4rz");
    ScanRecipe recipe;
    recipe.suchstr = QStringLiteral("ä");
    recipe.weighting = QStringLiteral("M");
    recipe.encoding = SourceEncoding::Utf8;

    TextScan ahead(recipe);
    TextLoader loader(recipe.encoding);
    PreparedText prepared;
    ahead.prepare(loader, path, prepared);
    ASSERT_TRUE(prepared.result.has_value());
    EXPECT_TRUE(prepared.weightingRead);

    const auto atTurn = TextScan(recipe).atTurn(path, nullptr);
    ASSERT_TRUE(atTurn.has_value()) << "read as Windows-1252 the text holds no ä";
    EXPECT_EQ(atTurn->f, 2);
    EXPECT_EQ(atTurn->fB, 2);
    // 13 units and the CR LF that ends the last line; the byte-order mark is no text.
    EXPECT_DOUBLE_EQ(atTurn->proz, 2.0 / 15.0 * 100.0);
    EXPECT_EQ(prepared.result->f, atTurn->f);
    EXPECT_EQ(prepared.result->fB, atTurn->fB);
    EXPECT_DOUBLE_EQ(prepared.result->proz, atTurn->proz);
}

TEST(TextScan, TheSimpleModeTakesPatternCharactersAsTheyAre)
{
    TempCorpus corpus;
    const QString path = corpus.write("a.txt", "f(x) = [y]");
    ScanRecipe recipe;
    recipe.regex = false;
    recipe.suchstr = QStringLiteral("f(x");
    recipe.weighting = QStringLiteral("[");
    TextScan scan(recipe);
    EXPECT_NO_THROW(scan.checkPatterns());

    // A weighting that is no valid pattern: the simple mode never compiles it.
    const auto result = scan.atTurn(path, TurnValues{QStringLiteral("["), false}, nullptr);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->f, -1);
    EXPECT_EQ(result->fB, -1);
    EXPECT_EQ(result->proz, -1.0);

    recipe.regex = true;
    EXPECT_THROW(TextScan(recipe).checkPatterns(), QvxError);
}

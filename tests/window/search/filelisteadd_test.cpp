#include "errors/qvxerror.h"
#include "window/search/filelisteadd.h"
#include "windowfixture.h"

TEST_F(WindowTest, RowsCarryTheirNumbersInTheLocaleFormat)
{
    filelisteAdd(QStringLiteral("/k/a.txt"), -1, -1.0, -1);
    filelisteAdd(QStringLiteral("/k/b.txt"), 3, 3.0 / 1234 * 100, -1);
    setText("Edit4", QStringLiteral("0,5"));
    filelisteAdd(QStringLiteral("/k/c.txt"), 3, 3.0 / 1234 * 100, 2);
    filelisteAdd(QStringLiteral("/k/d.txt"), 1, 1.0 / 2000000 * 100, 0);
    ASSERT_EQ(rowCount(), 4);
    EXPECT_EQ(rowTexts(0), (QStringList{"/k/a.txt", "-1", "-1", "-1", "-1"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"/k/b.txt", "3", "0,243111831442464", "-1", "-1"}));
    EXPECT_EQ(rowTexts(2), (QStringList{"/k/c.txt", "3", "0,243111831442464", "2", "4"}));
    EXPECT_EQ(rowTexts(3), (QStringList{"/k/d.txt", "1", "5E-5", "0", "1"}));
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(rowChecked(row));
}

TEST_F(WindowTest, RowsFollowTheDecimalSeparatorOfTheLocale)
{
    LocaleScope english(englishLocale());
    setText("Edit3", QStringLiteral("1.5"));
    filelisteAdd(QStringLiteral("/k/a.txt"), 3, 3.0 / 1234 * 100, 1);
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(rowTexts(0), (QStringList{"/k/a.txt", "3", "0.243111831442464", "1", "5.5"}));
}

TEST_F(WindowTest, FactorsAreReadOnlyForRowsWithAWeightingCount)
{
    setText("Edit3", QStringLiteral("kein"));
    setText("Edit4", QStringLiteral("Wert"));
    filelisteAdd(QStringLiteral("/k/a.txt"), 2, 10.0, -1);
    ASSERT_EQ(rowCount(), 1);

    try {
        filelisteAdd(QStringLiteral("/k/b.txt"), 2, 10.0, 1);
        FAIL() << "a factor that is no number must raise an error";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'kein' ist kein gültiger Gleitkommawert"));
    }
    EXPECT_EQ(rowCount(), 1);

    setText("Edit3", QStringLiteral("-1"));
    setText("Edit4", QStringLiteral("Wert"));
    EXPECT_THROW(filelisteAdd(QStringLiteral("/k/c.txt"), 2, 10.0, 1), QvxError);
    EXPECT_EQ(rowCount(), 1);

    setText("Edit4", QStringLiteral("1"));
    filelisteAdd(QStringLiteral("/k/d.txt"), 2, 10.0, 7);
    EXPECT_EQ(rowTexts(1)[4], QStringLiteral("5"));
}

#include "text/breakabletext.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

TEST(BreakableText, ALongPathGetsPlacesToWrapAndShortWordsStayAsTheyAre)
{
    const QString shortText = QStringLiteral("Die Datei /tmp/a.txt fehlt.");
    EXPECT_EQ(withWrapPlacesInLongWords(shortText), shortText);

    QString path = QStringLiteral("/home");
    while (path.size() < 300)
        path += QStringLiteral("/verzeichnis");
    path += QString(100, QLatin1Char('n'));
    const QString text =
        QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden.").arg(path);
    const QString wrapped = withWrapPlacesInLongWords(text);

    QString plain = wrapped;
    EXPECT_EQ(plain.remove(QChar(0x200B)), text);
    // Between two places to wrap the box never needs more than 40 characters on a line.
    for (const QString &word : wrapped.split(QRegularExpression(QStringLiteral("[\\s\\x{200B}]"))))
        EXPECT_LE(word.size(), 40) << qPrintable(word);
}

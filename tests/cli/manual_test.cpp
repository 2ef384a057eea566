#include "optiontable.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString manualPage()
{
    QFile file(QStringLiteral(QVX_CLI_MANUAL));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// What a line of the manual page sets, fonts aside: ".BR \-x \", \" \-\-exclude" gives
// "-x, --exclude". The alternating macros (.BR, .BI) join their arguments without a blank.
QString setText(const QString &line)
{
    QString text = line;
    if (line.startsWith(QLatin1Char('.'))) {
        static const QRegularExpression argument(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        QStringList arguments;
        for (auto it = argument.globalMatch(line.mid(blank + 1)); blank > 0 && it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            arguments << match.captured(1) + match.captured(2);
        }
        text = arguments.join(blank == 2 ? QStringLiteral(" ") : QString());
    }
    static const QRegularExpression escapes(QStringLiteral("\\\\f[BIRP]|\\\\c"));
    return text.remove(escapes).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

struct ManualEntry
{
    // What the tag lists: "-x", "--exclude TEXT".
    QStringList spellings;
    // The tag and its paragraph.
    QString text;
};

// One entry for each .TP of the section OPTIONEN.
QList<ManualEntry> manualOptions(const QString &page)
{
    const QStringList lines = page.split(QLatin1Char('\n'));
    QList<ManualEntry> entries;
    bool inOptions = false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (lines[k].startsWith(QLatin1String(".SH "))) {
            inOptions = lines[k] == QLatin1String(".SH OPTIONEN");
        } else if (inOptions && lines[k] == QLatin1String(".TP") && k + 1 < lines.size()) {
            const QString tag = setText(lines[++k]);
            entries.append({tag.split(QStringLiteral(", ")), tag});
        } else if (inOptions && !entries.isEmpty()) {
            entries.last().text += QLatin1Char(' ') + setText(lines[k]);
        }
    }
    return entries;
}

// A word of its own: "f" in "file, f, percent", not the f of "fb".
bool hasWord(const QString &text, const QString &word)
{
    return text.contains(QRegularExpression(QStringLiteral("(?<![\\w-])") +
                                            QRegularExpression::escape(word) +
                                            QStringLiteral("(?![\\w-])")));
}

void expectChoicesAndDefaultIn(const QString &text, const OptionEntry &option)
{
    for (const QString &choice : option.choices)
        EXPECT_TRUE(hasWord(text, choice)) << choice.toStdString() << " in " << text.toStdString();
    if (option.defaultValue) {
        EXPECT_TRUE(hasWord(text, QString::fromUtf8(option.defaultValue)) &&
                    text.contains(QStringLiteral("Vorgabe")))
            << "Vorgabe " << option.defaultValue << " in " << text.toStdString();
    }
}

QString longSpelling(const OptionEntry &option)
{
    return option.argument ? QStringLiteral("%1 %2").arg(option.longName, option.argument)
                           : QString::fromUtf8(option.longName);
}

} // namespace

// --help prints the table's own descriptions, so those are checked beside the manual page's.
TEST(CliOptionTable, TheManualPageListsJustTheTablesOptionsAndBothTextsNameTheirValues)
{
    const QList<ManualEntry> entries = manualOptions(manualPage());
    QStringList inManual;
    for (const ManualEntry &entry : entries)
        inManual += entry.spellings;
    QStringList inTable;
    for (const OptionEntry &option : optionTable()) {
        SCOPED_TRACE(option.longName);
        inTable << longSpelling(option);
        const auto entry = std::find_if(entries.begin(), entries.end(), [&](const ManualEntry &e) {
            return e.spellings.contains(longSpelling(option));
        });
        ASSERT_TRUE(entry != entries.end()) << longSpelling(option).toStdString();
        if (option.shortName != 0) {
            inTable << QStringLiteral("-%1").arg(QChar(option.shortName));
            EXPECT_TRUE(entry->spellings.contains(inTable.last()));
        }
        expectChoicesAndDefaultIn(entry->text, option);
        expectChoicesAndDefaultIn(QString::fromUtf8(option.help), option);
    }
    inManual.sort();
    inTable.sort();
    EXPECT_EQ(inManual.join(QLatin1Char(' ')).toStdString(),
              inTable.join(QLatin1Char(' ')).toStdString());
}

TEST(CliOptionTable, TheManualPageCarriesTheProjectVersion)
{
    const QString page = manualPage();
    const QString title = page.mid(page.indexOf(QLatin1String("\n.TH ")) + 1).section('\n', 0, 0);
    EXPECT_TRUE(title.startsWith(QLatin1String(".TH QVX-CLI 1 "))) << title.toStdString();
    EXPECT_TRUE(title.contains(QLatin1String(" \"QVX " QVX_VERSION_TEXT "\" ")))
        << title.toStdString();
}

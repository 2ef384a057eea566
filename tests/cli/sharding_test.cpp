#include "clitool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The shell block that follows the marker of the sharding recipe in the README.
QString readmeRecipe()
{
    QFile readme(QStringLiteral(QVX_README));
    if (!readme.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype marker = text.indexOf(QStringLiteral("<!-- sharding recipe"));
    const qsizetype begin = text.indexOf(QStringLiteral("```sh\n"), marker);
    const qsizetype end = text.indexOf(QStringLiteral("```\n"), begin + 6);
    if (marker < 0 || begin < 0 || end < 0)
        return QString();
    return text.mid(begin + 6, end - begin - 6);
}

QStringList sortedLines(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

} // namespace

TEST(CliSharding, TheReadmeRecipeGivesTheRowsOfOneRun)
{
    const QString recipe = readmeRecipe();
    ASSERT_FALSE(recipe.isEmpty()) << "the README holds the recipe after its marker";
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());

    QProcess shell;
    shell.setWorkingDirectory(work.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"),
                       QFileInfo(QStringLiteral(QVX_CLI_PATH)).absolutePath() + QLatin1Char(':') +
                           environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    shell.setProcessEnvironment(environment);
    // A copy, not a link: find does not go into a directory that it is given as a link.
    const QString copyThenRecipe = QStringLiteral("cp -R \"$1\" samples\n") + recipe;
    shell.start(QStringLiteral("bash"),
                {QStringLiteral("-euo"), QStringLiteral("pipefail"), QStringLiteral("-c"),
                 copyThenRecipe, QStringLiteral("bash"), QStringLiteral(QVX_SAMPLES)});
    ASSERT_TRUE(shell.waitForFinished(120000));
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    QFile merged(work.filePath(QStringLiteral("geteilt.tsv")));
    ASSERT_TRUE(merged.open(QIODevice::ReadOnly));
    const QStringList shards = sortedLines(merged.readAll());

    const CliResult one =
        runToolIn(work.path(), {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("Heute"),
                                QStringLiteral("samples")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    ASSERT_GE(shards.size(), 2);
    EXPECT_EQ(shards, sortedLines(one.out));
}

#include "errors/qvxerror.h"
#include "files/sourcetree.h"
#include "fixtures.h"
#include "permissionsenforced.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
TEST(SourceTree, AnUnreadableDirectoryStopsTheWalkOrIsReportedAndPassedOver)
{
    TempCorpus corpus;
    for (const char *name : {"a.txt", "b/gesperrt/x.txt", "b/offen/y.txt", "c/z.txt"})
        corpus.write(QString::fromLatin1(name), "x");
    const QString top = QDir::cleanPath(corpus.path());
    const QString locked = top + QStringLiteral("/b/gesperrt");
    QStringList visited;
    const auto visit = [&](const QString &directory, const QStringList &names) {
        visited << directory + QLatin1Char(':') + names.join(QLatin1Char(','));
        return !directory.endsWith(QLatin1String("/offen"));
    };
    QStringList errors;
    bool complete = true;
    bool thrown = false;
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    {
        PermissionsEnforced enforced;
        if (PermissionsEnforced::directoryReadable(locked)) {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
            GTEST_SKIP() << "this system lists a directory without read permission";
        }
        complete = walkSourceTree(top, visit, [&](const QString &error) { errors << error; });
        try {
            walkSourceTree(top, [](const QString &, const QStringList &) { return true; });
        } catch (const QvxError &) {
            thrown = true;
        }
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Depth first, the locked directory passed over; "c" is never reached.
    EXPECT_EQ(visited, (QStringList{top + ":a.txt", top + "/b:", top + "/b/offen:y.txt"}));
    EXPECT_FALSE(complete);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(locked)) << errors.front().toStdString();
    EXPECT_TRUE(thrown);
}
#endif

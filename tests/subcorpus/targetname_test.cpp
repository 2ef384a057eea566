#include "subcorpus/targetname.h"

#include <QByteArray>
#include <QDir>
#include <gtest/gtest.h>

namespace {

const QDate july20(2015, 7, 20);
const QString german = QStringLiteral("%d.%m.%Y");

QString subkorpus(const QString &folder, const QString &date)
{
    return folder + QDir::separator() + QStringLiteral("Subkorpus") + date;
}

// Sets an environment variable while it lives.
class EnvironmentScope
{
public:
    EnvironmentScope(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentScope()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    EnvironmentScope(const EnvironmentScope &) = delete;
    EnvironmentScope &operator=(const EnvironmentScope &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};

} // namespace

TEST(TargetNameTest, GermanShortDateLosesItsDots)
{
    EXPECT_EQ(shortDateText(july20, german), QStringLiteral("20.07.2015"));
    const QString folder = QDir::cleanPath(QDir::tempPath() + QStringLiteral("/Korpora"));
    EXPECT_EQ(proposeTargetName(folder, july20, german),
              subkorpus(folder, QStringLiteral("20072015")));
}

TEST(TargetNameTest, CancelledBrowserAndRootFolderKeepEverySeparator)
{
    EXPECT_EQ(proposeTargetName(QString(), july20, german),
              QDir::separator() + QStringLiteral("Subkorpus20072015"));
    const QString root = QDir::rootPath();
    EXPECT_EQ(proposeTargetName(root, july20, german), subkorpus(root, QStringLiteral("20072015")));
}

TEST(TargetNameTest, SlashesGoOtherSeparatorsStay)
{
    EXPECT_EQ(proposeTargetName(QStringLiteral("k"), july20, QStringLiteral("%m/%d/%Y")),
              subkorpus(QStringLiteral("k"), QStringLiteral("07202015")));
    EXPECT_EQ(proposeTargetName(QStringLiteral("k"), july20, QStringLiteral("%Y-%m-%d")),
              subkorpus(QStringLiteral("k"), QStringLiteral("2015-07-20")));
}

TEST(TargetNameTest, UserShortDateComesFromTheUsersTimeLocale)
{
    // The C locale's short date is month/day/two-digit year.
    EnvironmentScope locale("LC_ALL", "C");
    EXPECT_EQ(shortDateText(july20), QStringLiteral("07/20/15"));
    EXPECT_EQ(proposeTargetName(QStringLiteral("k"), july20),
              subkorpus(QStringLiteral("k"), QStringLiteral("072015")));
}

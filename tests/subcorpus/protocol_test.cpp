#include "errors/qvxerror.h"
#include "subcorpus/protocolcomparison.h"
#include "subcorpus/protocoljson.h"
#include "text/nativepath.h"

#include <QJsonDocument>
#include <gtest/gtest.h>
#include <limits>

// What a record cannot hold back would make --repeat search other texts or other settings.
TEST(SubcorpusProtocol, JsonGivesBackPathsBytePatternsAndNumbers)
{
    SubcorpusProtocol written;
    written.program = QStringLiteral("QVX");
    written.version = QStringLiteral("3.4");
    written.date = QDateTime(QDate(2026, 12, 10), QTime(9, 30), Qt::OffsetFromUTC, 3600);
    written.pattern = QStringLiteral("\"Bürger\"\\s+\t\r\n😀");
    written.fK = 0.1;
    written.minF = 2;
    written.sort = QStringLiteral("g");
    // A Latin-1 file name, held with the lone surrogate of its foreign byte.
    const QString latin1 = pathFromNative(QByteArray("/korpus/M\xe4rz.txt"));
    written.sources = QStringList{latin1, QStringLiteral("@/listen/a b.txt")};
    written.encoding = QStringLiteral("utf-8");
    written.texts = {{latin1, 3, 0.243111831442464, -1, std::numeric_limits<double>::infinity()}};

    const QByteArray json = protocolJson(written);
    ASSERT_FALSE(QJsonDocument::fromJson(json).isNull()) << json.constData();
    const SubcorpusProtocol read = protocolFromJson(json);
    EXPECT_EQ(read.date, written.date);
    EXPECT_EQ(read.pattern, written.pattern);
    EXPECT_EQ(read.fK, 0.1);
    EXPECT_FALSE(read.fBK);
    EXPECT_EQ(read.minF, 2);
    EXPECT_FALSE(read.minPercent);
    EXPECT_EQ(read.sort, QStringLiteral("g"));
    EXPECT_EQ(nativePath(read.sources[0]), QByteArray("/korpus/M\xe4rz.txt"));
    EXPECT_EQ(read.sources[1], written.sources[1]);
    ASSERT_EQ(read.texts.size(), 1);
    EXPECT_EQ(read.texts[0].f, 3);
    EXPECT_TRUE(compareWithProtocol(read.texts, written.texts).same());

    EXPECT_THROW(protocolFromJson("{\"search\": {\"mode\": \"regex\"}}"), QvxError);
    EXPECT_THROW(protocolFromJson("[1, 2"), QvxError);
}

TEST(SubcorpusProtocol, ComparisonPairsEachRecordedTextWithOneFoundText)
{
    const ProtocolText a{QStringLiteral("/a.txt"), 2, 20.0, -1, -1.0};
    const ProtocolText b{QStringLiteral("/b.txt"), 1, 10.0, -1, -1.0};
    // A source list that names a text twice records it twice.
    const ProtocolComparison fewer = compareWithProtocol({a, a, b}, {b, a});
    EXPECT_EQ(fewer.missing, QStringList{QStringLiteral("/a.txt")});
    EXPECT_TRUE(fewer.added.isEmpty());
    EXPECT_TRUE(fewer.changed.isEmpty());

    ProtocolText moreB = b;
    moreB.f = 2;
    moreB.percent = 20.0;
    const ProtocolComparison changed = compareWithProtocol({a, b}, {moreB, a, a});
    EXPECT_EQ(comparisonReport(changed, 2),
              (QStringList{QStringLiteral("geändert: /b.txt: f 1 → 2, % 10 → 20"),
                           QStringLiteral("neu: /a.txt (f 2, % 20, fB -1, G -1)")}));
}

#include "text/codepage.h"
#include "text/nativepath.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(NativePath, EveryNameComesBackAsItsOwnBytesAndShowsDecoded)
{
    const QByteArray names[] = {
        QByteArray("/korpus/M\xc3\xa4rz.txt"),
        // Latin-1, and the twin that the usual decoding would make of it.
        QByteArray("/korpus/M\xe4rz.txt"),
        QByteArray("/korpus/M\xef\xbf\xbdrz.txt"),
        // An overlong form, an encoded surrogate, a cut sequence, a byte that is no lead.
        QByteArray("/\xc0\x80/\xed\xa0\x80/\xe2\x82/\x80.txt"),
    };
    QStringList paths;
    for (const QByteArray &name : names) {
        const QString path = pathFromNative(name);
        EXPECT_EQ(nativePath(path), name);
        EXPECT_EQ(shownPath(path), QFile::decodeName(name)) << name.constData();
        paths << path;
    }
    EXPECT_FALSE(hasForeignBytes(paths[0]));
    EXPECT_TRUE(hasForeignBytes(paths[1]));
    EXPECT_NE(paths[1], paths[2]);
    // A Latin-1 byte is a Windows-1252 character; the unassigned 0x81 is not.
    EXPECT_EQ(cp1252::encode(paths[1]), QByteArray("/korpus/M\xe4rz.txt"));
    EXPECT_EQ(cp1252::encode(pathFromNative(QByteArray("a\x81"))), QByteArray("a?"));
}

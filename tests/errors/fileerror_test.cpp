#include "errors/fileerror.h"

#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>

TEST(FileError, EveryErrorNumberAFileOperationMeetsHasTheWindowsText)
{
    const std::pair<int, const char *> expected[] = {
        {ENOSPC, "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden"},
        {EDQUOT, "Das Datenträgerkontingent wurde überschritten"},
        {EROFS, "Der Datenträger ist schreibgeschützt"},
        {ENAMETOOLONG, "Der Dateiname oder die Erweiterung ist zu lang"},
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Zugriff verweigert"},
        {ENOENT, "Das System kann die angegebene Datei nicht finden"},
        {ENOTDIR, "Das System kann den angegebenen Pfad nicht finden"},
        {EISDIR, "Der angegebene Pfad ist ein Verzeichnis"},
        {ELOOP, "Der Name der Datei kann vom System nicht aufgelöst werden"},
        {EIO, "Die Anforderung konnte wegen eines E/A-Gerätefehlers nicht ausgeführt werden"},
        {EMFILE, "Das System kann die Datei nicht öffnen"},
        {EFBIG, "Die Dateigröße überschreitet die zulässige Grenze und kann nicht gespeichert "
                "werden"},
        {EXDEV, "Das System kann die Datei nicht auf ein anderes Laufwerk verschieben"},
    };
    for (const auto &[number, text] : expected)
        EXPECT_EQ(systemErrorText(number), QString::fromUtf8(text)) << number;
    EXPECT_EQ(systemErrorText(123456), QStringLiteral("Unbekannter Fehler (Systemfehler 123456)"));
}

TEST(FileError, AQtFileTellsTheReasonThatItsOwnErrorCodeLumpsTogether)
{
    QFile missing(QStringLiteral("/gibt/es/nicht.txt"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(systemErrorText(missing), systemErrorText(ENOENT));
    EXPECT_EQ(systemErrorNumber(missing), ENOENT);
#ifdef Q_OS_LINUX
    // Every write to /dev/full finds the disk full.
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_EQ(full.write("x", 1), -1);
    EXPECT_EQ(systemErrorText(full), systemErrorText(ENOSPC));
    EXPECT_EQ(systemErrorNumber(full), ENOSPC);
#endif
}

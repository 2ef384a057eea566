#pragma once

#include "search/textloading.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Lower-cases code unit by code unit with the simple Unicode mapping; the length never changes.
void lowerCaseUnits(QString &text);

// The simple mode of one search run: a case-sensitive substring test over UTF-16 code units.
// Every unit of a source text is the image of one Windows-1252 byte, so the test runs on the
// bytes: a string with a unit that no byte gives cannot occur in any text.
class SimpleScan
{
public:
    SimpleScan(QString suchstr, QString ausschlstr);

    // True when the file qualifies. With ignoreCase the text and both strings are lower-cased;
    // the strings stay lower-cased for the rest of the run. Throws QvxError for an unreadable file.
    bool qualifies(const QString &path, bool ignoreCase);

private:
    void encodeStrings();

    QString m_suchstr;
    QString m_ausschlstr;
    std::optional<QByteArray> m_suchBytes;
    std::optional<QByteArray> m_ausschlBytes;
    bool m_lowered = false;
    TextLoader m_loader;
};

#pragma once

#include <QString>

// Lower-cases code unit by code unit with the simple Unicode mapping; the length never changes.
void lowerCaseUnits(QString &text);

// The simple mode of one search run: a case-sensitive substring test over UTF-16 code units.
class SimpleScan
{
public:
    SimpleScan(QString suchstr, QString ausschlstr);

    // True when the file qualifies. With ignoreCase the text and both strings are lower-cased;
    // the strings stay lower-cased for the rest of the run. Throws QvxError for an unreadable file.
    bool qualifies(const QString &path, bool ignoreCase);

private:
    QString m_suchstr;
    QString m_ausschlstr;
};

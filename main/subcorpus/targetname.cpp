#include "subcorpus/targetname.h"

#include "files/targetpath.h"

#include <clocale>
#include <ctime>
#include <cwchar>

QString shortDateText(const QDate &date, const QString &cFormat)
{
    // The C runtime starts in the "C" locale; only the user's locale knows the user's format.
    std::setlocale(LC_TIME, "");
    std::tm time{};
    time.tm_year = date.year() - 1900;
    time.tm_mon = date.month() - 1;
    time.tm_mday = date.day();
    time.tm_wday = date.dayOfWeek() % 7;
    time.tm_yday = date.dayOfYear() - 1;
    time.tm_hour = 12;
    const std::wstring format = cFormat.toStdWString();
    wchar_t text[128];
    const std::size_t length =
        std::wcsftime(text, sizeof text / sizeof text[0], format.c_str(), &time);
    return QString::fromWCharArray(text, static_cast<qsizetype>(length));
}

QString proposeTargetName(const QString &folder, const QDate &date, const QString &shortDateFormat)
{
    QString dateText = shortDateText(date, shortDateFormat);
    dateText.remove(QLatin1Char('.'));
    // A slash would name nested directories, which saving creates only one level deep.
    dateText.remove(QLatin1Char('/'));
    return pathInTarget(folder, QStringLiteral("Subkorpus") + dateText);
}

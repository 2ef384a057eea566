#include "window/fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QString wineFonts = QStringLiteral("/usr/share/wine/fonts/");

void registerIfMissing(const QString &family, const QStringList &files)
{
    if (QFontDatabase::hasFamily(family))
        return;
    for (const QString &file : files) {
        const QString path = wineFonts + file;
        if (QFileInfo::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

QFont sansSerif(const QString &family, bool bold)
{
    QFont font(family);
    // Where the family is missing, Qt falls back to a sans-serif of the same pixel size.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace

void registerFallbackFonts()
{
    static const bool registered = [] {
        registerIfMissing(QStringLiteral("Tahoma"),
                          {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")});
        registerIfMissing(QStringLiteral("MS Sans Serif"), {QStringLiteral("ms_sans_serif.ttf")});
        return true;
    }();
    Q_UNUSED(registered);
}

QFont windowFont()
{
    return sansSerif(QStringLiteral("Tahoma"), false);
}

QFont windowBoldFont()
{
    return sansSerif(QStringLiteral("Tahoma"), true);
}

QFont headingFont()
{
    return sansSerif(QStringLiteral("MS Sans Serif"), true);
}

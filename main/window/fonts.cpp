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
    // Wine's "MS Sans Serif" is a bitmap font of a single size that cannot be drawn bold at
    // 11 pixels; Tahoma, which it resembles closely, stands in wherever no outline version is
    // installed.
    const QString family = QStringLiteral("MS Sans Serif");
    return sansSerif(QFontDatabase::isSmoothlyScalable(family) ? family : QStringLiteral("Tahoma"),
                     true);
}

#include "window/fonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

namespace {

const QString wineFonts = QStringLiteral("/usr/share/wine/fonts/");

void registerIfMissing(const QString &family, const QString &file)
{
    if (QFontDatabase::hasFamily(family))
        return;
    const QString path = wineFonts + file;
    if (QFileInfo::exists(path))
        QFontDatabase::addApplicationFont(path);
}

bool hasBoldFace(const QString &family)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString &style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
}

QFont sansSerif(const QString &family, bool bold)
{
    QFont font(family);
    // Where the family is missing, Qt falls back to a sans-serif of the same pixel size.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    if (bold) {
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, syntheticBoldSpacing(font));
    }
    return font;
}

} // namespace

void registerFallbackFonts()
{
    static const bool registered = [] {
        // Wine's tahomabd.ttf calls itself bold but has the strokes of the regular face, only set
        // wider apart. Without it Qt draws bold Tahoma by thickening the regular face.
        registerIfMissing(QStringLiteral("Tahoma"), QStringLiteral("tahoma.ttf"));
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

qreal syntheticBoldSpacing(const QFont &font)
{
    if (hasBoldFace(QFontInfo(font).family()))
        return 0;
    // Thickened strokes would run into each other at the regular advances. A bold face of Tahoma
    // sets its letters about three quarters of a pixel further apart at 11 pixels (the widths
    // of Wine's bold twin), so that much room keeps them apart and gives the captions the width
    // that the layout was drawn for.
    return 0.75 * QFontInfo(font).pixelSize() / 11.0;
}

void useWindowFontThroughout()
{
    QApplication::setFont(windowFont());
}

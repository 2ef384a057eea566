#include "files/targetpath.h"

#include <QDir>

QString pathInTarget(const QString &target, const QString &fileName)
{
    return target + QDir::separator() + fileName;
}

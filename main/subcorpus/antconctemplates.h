#pragma once

#include <QString>
#include <QStringList>

// The AntConc versions that the settings export offers, in the order of the items of antlist:
// 0 = 3.4.1w (template str341w), 1 = 3.2.4w (str324w), 2 = 3.2.4m (str324m).
constexpr int antconcVersionCount = 3;

inline bool isAntconcVersion(int index)
{
    return index >= 0 && index < antconcVersionCount;
}

// The settings template of a version (isAntconcVersion(index) must hold), one entry per line,
// without line ends. Throws QvxError when the template is missing from the program's resources.
QStringList antconcTemplate(int index);

// The name of the settings file of a version inside the target directory.
QString antconcFileName(int index);

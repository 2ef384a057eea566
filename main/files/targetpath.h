#pragma once

#include <QString>

// The path of the file fileName directly in the directory target.
QString pathInTarget(const QString &target, const QString &fileName);

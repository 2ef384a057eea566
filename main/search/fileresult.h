#pragma once

#include <QtGlobal>

// The numbers of one qualifying text; -1 stands for "no such number".
struct FileResult
{
    qint32 f = -1;
    double proz = -1.0;
    qint32 fB = -1;
};

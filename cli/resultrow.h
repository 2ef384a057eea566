#pragma once

#include <QString>
#include <QtGlobal>

// One qualifying text with its numbers; -1 stands for "no such number", as in the window.
struct ResultRow
{
    QString path;
    qint32 f = -1;
    double proz = -1.0;
    qint32 fB = -1;
    double G = -1.0;
};

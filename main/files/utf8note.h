#pragma once

#include <QString>
#include <QtGlobal>

// What a run says when it read texts as Windows-1252 that are well-formed UTF-8 with multi-byte
// sequences (see TextLoader::utf8ReadAsWindows1252): how many, and what that did to them. The
// front end adds how its user chooses the encoding.
QString utf8AsWindows1252Note(qsizetype texts);

#pragma once

#include <QString>
#include <QStringList>

// The fixed help texts behind the "(?)" labels.
namespace helptexts {

QString searchString();
QString exclusionString();
QString weightingString();
QString resultList();

QString regexWindowCaption();
// The lines of the help window on regular expressions, without line ends.
QStringList regexLines();

} // namespace helptexts

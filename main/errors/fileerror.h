#pragma once

#include <QFileDevice>
#include <QString>

// A German reason for a failed file operation; Qt and the C library speak English.
QString germanReason(QFileDevice::FileError error);

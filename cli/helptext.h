#pragma once

#include <QString>

// The German text of --help, its options laid out from the option table.
QString helpText();

#pragma once

#include "options.h"

#include <QString>
#include <QStringList>
#include <vector>

// Thrown with a German sentence when the command line cannot be read.
struct OptionError
{
    QString message;
};

// What an option was given: its value's text and, for a choice, the index among the choices.
struct OptionValue
{
    // The long name, for messages.
    QString option;
    QString text;
    int choice = -1;
};

// May throw OptionError when the value does not fit.
using ApplyOption = void (*)(CliOptions &, const OptionValue &);

// The groups of --help, in its order.
enum class OptionGroup
{
    Search,
    Rows,
    Subcorpus,
    Program,
};

// One option of qvx-cli: how it is spelt, what it takes, how --help describes it and what it sets.
struct OptionEntry
{
    const char *longName;
    // 0 for an option without a short form.
    char shortName;
    // The value's name in --help, such as "ZAHL"; nullptr for an option without a value.
    const char *argument;
    // German; --help wraps it into its column.
    const char *help;
    OptionGroup group;
    ApplyOption apply;
    // What holds without the option, as the texts name it; nullptr when they name nothing.
    const char *defaultValue = nullptr;
    // The values of a choice; the parser refuses others and hands apply the index.
    QStringList choices = {};
};

// Every option, in the order of --help.
const std::vector<OptionEntry> &optionTable();

#pragma once

#include "errors/failure.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Why the subcorpus cannot be written into target before anything is searched or created: a
// directory that exists already, or two texts that would meet under one name there (unless
// replace). Its reason is the German message.
std::optional<Failure> subcorpusRefusal(const QString &target, const QStringList &paths,
                                        bool replace);

// Why target cannot become the new directory of a subcorpus, looked at before a search that may
// take long: something is there already, or its parent is missing, no directory or not writable.
std::optional<Failure> targetPreflightRefusal(const QString &target);

struct SubcorpusOutcome
{
    qsizetype copied = 0;
    bool interrupted = false;
    bool failed = false;
    // The paths that the settings file holds with '?' in place of what Windows-1252 lacks.
    QStringList substituted;
};

// Creates the new directory target, copies the texts into it side by side, each whole or not at
// all, and then writes the AntConc settings file of antconcVersion (-1: none) listing them with
// full paths. A failure is reported through onError; the copying stops there unless keepGoing.
// Ctrl-C stops after the copy in progress.
SubcorpusOutcome writeSubcorpus(const QString &target, const QStringList &paths, int antconcVersion,
                                bool keepGoing,
                                const std::function<void(const QString &)> &onError);

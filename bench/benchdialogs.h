#pragma once

#include "window/dialogs.h"

#include <QList>
#include <QString>

// Answers the window's modal questions the way the measured commands need, without a person:
// every message box with its first button ("OK", "&Ja"), the source directory chooser with
// sourceDirectory, the input box with inputAnswer, a file dialog with fileAnswer and a popup menu
// by triggering its action named popupAction. Boxes other than plain messages are recorded, so
// that a measurement that ended in an error is never reported as a time.
class BenchDialogs : public Dialogs
{
public:
    int message(QWidget *parent, const MessageRequest &request) override;
    QString chooseSourceDirectory(QWidget *parent) override;
    QString chooseFolder(QWidget *parent, const QString &instruction) override;
    std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    bool execFileDialog(QFileDialog *dialog) override;
    QAction *popupMenu(QMenu *menu, const QPoint &pos) override;

    QString sourceDirectory;
    QString inputAnswer;
    QString fileAnswer;
    QString popupAction;

    // The error texts shown since the last call; empties the record.
    QStringList takeErrors();

private:
    QStringList m_errors;
};

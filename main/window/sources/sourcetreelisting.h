#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Dialogs;
class QWidget;

// The source paths of the texts in directory and in every directory below it, in the order of
// walkSourceTree, gathered under a progress indication that keeps the window painted and offers
// to cancel. Nothing when the user cancelled. Throws QvxError when directory itself cannot be
// read; the German texts of subdirectories that cannot be read are added to unreadable, and
// their texts are left out.
std::optional<QStringList> listSourceTree(Dialogs &dialogs, QWidget *parent,
                                          const QString &directory, QStringList &unreadable);

// The error text that names the directories left out, by their texts from listSourceTree.
QString unreadableSubdirectoriesText(const QStringList &unreadable);

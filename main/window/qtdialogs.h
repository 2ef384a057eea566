#pragma once

#include "window/dialogs.h"

// The production dialogs: Qt's own dialog classes, opened with exec().
class QtDialogs : public Dialogs
{
public:
    int message(QWidget *parent, const MessageRequest &request) override;
    // Defined beside the chooser, in sources/.
    QString chooseSourceDirectory(QWidget *parent, const NameCheck &acceptName,
                                  SourceDirectoryOptions *options = nullptr) override;
    QString chooseFolder(QWidget *parent, const QString &instruction) override;
    std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                     const QString &defaultText) override;
    bool execFileDialog(QFileDialog *dialog) override;
    QAction *popupMenu(QMenu *menu, const QPoint &pos) override;
    // Defined beside its dialog, in progressindication.cpp.
    std::unique_ptr<Progress> showProgress(QWidget *parent, const QString &caption) override;
};

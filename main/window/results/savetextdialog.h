#pragma once

#include <QFileDialog>

class Dialogs;

// The save dialog of the table export. Like the platform's own, it does not accept a file in a
// directory that does not exist: it says so in a box and stays open as the user left it.
class SaveTextDialog : public QFileDialog
{
public:
    // dialogs: the seam through which the box is shown.
    SaveTextDialog(Dialogs &dialogs, QWidget *parent);

    void accept() override;

private:
    Dialogs &m_dialogs;
};

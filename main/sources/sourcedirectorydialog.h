#pragma once

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QTreeView;

// The source directory chooser "Verzeichnis auswählen": a name field, the directory tree, the
// mounted volumes and the files of the shown directory. It opens at the working directory. The
// name may be typed freely, so it may name a directory that does not exist yet.
class SourceDirectoryDialog : public QDialog
{
public:
    explicit SourceDirectoryDialog(QWidget *parent = nullptr);

    // The name as the user typed or selected it.
    QString directoryName() const;

private:
    void createControls();
    void arrangeControls();
    void connectControls();
    void fillVolumes();
    // Selects path in the tree, puts it into the name field and lists its files.
    void showDirectory(const QString &path);
    void listFiles(const QString &path);

    QFileSystemModel *m_directoryModel;
    QFileSystemModel *m_fileModel;
    QLineEdit *m_name;
    QTreeView *m_directories;
    QComboBox *m_volumes;
    QListView *m_files;
};

#pragma once

#include "text/sourceencoding.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QTreeView;

// The source directory chooser "Verzeichnis auswählen": a name field, the directory tree, the
// mounted volumes and the files of the shown directory, and whether the directories below it
// count as well (not at first). It opens at the working directory. The name may be typed freely,
// so it may name a directory that does not exist yet.
class SourceDirectoryDialog : public QDialog
{
public:
    // acceptName decides whether a confirmed name closes the chooser; none accepts every name.
    explicit SourceDirectoryDialog(QWidget *parent = nullptr,
                                   std::function<bool(const QString &)> acceptName = {});

    // The name as the user typed or selected it.
    QString directoryName() const;
    // The encoding in which the directory's texts are to be read; Windows-1252 at first.
    SourceEncoding encoding() const;
    void setEncoding(SourceEncoding encoding);
    bool includesSubdirectories() const;

    void accept() override;

private:
    void createControls();
    void arrangeControls();
    void connectControls();
    void fillVolumes();
    // Puts path into the name field, lists its files and selects it in the tree.
    void showDirectory(const QString &path);
    void selectInTree(const QString &path);
    void listFiles(const QString &path);

    std::function<bool(const QString &)> m_acceptName;
    QFileSystemModel *m_directoryModel;
    QFileSystemModel *m_fileModel;
    QLineEdit *m_name;
    QTreeView *m_directories;
    QComboBox *m_volumes;
    QListView *m_files;
    QComboBox *m_encoding;
    QCheckBox *m_subdirectories;
    // The directory that the tree should show, also while it is still being read.
    QString m_shownPath;
    // The tree keeps the shown directory in view while it is read, until the user acts on it.
    bool m_following = false;
    bool m_selecting = false;
};

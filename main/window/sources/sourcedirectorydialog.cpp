#include "window/sources/sourcedirectorydialog.h"

#include "window/qtdialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

SourceDirectoryDialog::SourceDirectoryDialog(QWidget *parent,
                                             std::function<bool(const QString &)> acceptName)
    : QDialog(parent), m_acceptName(std::move(acceptName))
{
    setWindowTitle(QStringLiteral("Verzeichnis auswählen"));
    createControls();
    arrangeControls();
    fillVolumes();
    connectControls();
    showDirectory(QDir::currentPath());
}

QString SourceDirectoryDialog::directoryName() const
{
    return m_name->text();
}

SourceEncoding SourceDirectoryDialog::encoding() const
{
    return SourceEncoding(m_encoding->currentData().toInt());
}

void SourceDirectoryDialog::setEncoding(SourceEncoding encoding)
{
    m_encoding->setCurrentIndex(m_encoding->findData(int(encoding)));
}

bool SourceDirectoryDialog::includesSubdirectories() const
{
    return m_subdirectories->isChecked();
}

void SourceDirectoryDialog::accept()
{
    // A declined name leaves the chooser open with the name, the tree and the files unchanged.
    if (m_acceptName && !m_acceptName(directoryName()))
        return;
    QDialog::accept();
}

void SourceDirectoryDialog::createControls()
{
    m_directoryModel = new QFileSystemModel(this);
    m_directoryModel->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_directoryModel->setRootPath(QDir::rootPath());
    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files);

    m_name = new QLineEdit(this);
    m_directories = new QTreeView(this);
    m_directories->setModel(m_directoryModel);
    m_directories->setHeaderHidden(true);
    // Only the names: size, type and date are the file list's business.
    for (int column = 1; column < m_directoryModel->columnCount(); ++column)
        m_directories->hideColumn(column);
    m_volumes = new QComboBox(this);
    m_files = new QListView(this);
    m_files->setModel(m_fileModel);
    m_encoding = new QComboBox(this);
    m_encoding->setObjectName(QStringLiteral("encoding"));
    m_encoding->addItem(QStringLiteral("Windows-1252"), int(SourceEncoding::Windows1252));
    m_encoding->addItem(QStringLiteral("UTF-8"), int(SourceEncoding::Utf8));
    m_encoding->addItem(QStringLiteral("automatisch"), int(SourceEncoding::Automatic));
    m_subdirectories = new QCheckBox(QStringLiteral("&Unterverzeichnisse einbeziehen"), this);
}

void SourceDirectoryDialog::arrangeControls()
{
    auto labelFor = [this](const QString &caption, QWidget *buddy) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(buddy);
        return label;
    };
    auto *grid = new QGridLayout;
    grid->addWidget(labelFor(QStringLiteral("Verzeichnis&name:"), m_name), 0, 0, 1, 2);
    grid->addWidget(m_name, 1, 0, 1, 2);
    grid->addWidget(labelFor(QStringLiteral("&Verzeichnisse:"), m_directories), 2, 0);
    grid->addWidget(m_directories, 3, 0);
    grid->addWidget(labelFor(QStringLiteral("&Dateien: (*.*)"), m_files), 2, 1);
    grid->addWidget(m_files, 3, 1);
    grid->addWidget(labelFor(QStringLiteral("&Laufwerke:"), m_volumes), 4, 0, 1, 2);
    grid->addWidget(m_volumes, 5, 0, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An empty name would read as a cancelled chooser.
    connect(m_name, &QLineEdit::textChanged, ok,
            [ok](const QString &text) { ok->setEnabled(!text.isEmpty()); });

    // A frame of its own sets the texts' encoding apart from the choice of the directory.
    auto *encodingBox = new QGroupBox(QStringLiteral("&Kodierung der Texte"), this);
    auto *encodingRow = new QHBoxLayout(encodingBox);
    encodingRow->addWidget(m_encoding);
    encodingRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(encodingBox);
    layout->addWidget(m_subdirectories);
    layout->addWidget(buttons);
    resize(520, 420);
}

void SourceDirectoryDialog::fillVolumes()
{
    // The mounted volumes stand for the drive letters of other systems.
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            m_volumes->addItem(QDir::toNativeSeparators(volume.rootPath()), volume.rootPath());
    }
    // In a container or chroot the mount table may name nothing that is visible; the volume of
    // the working directory, or else the file system's root, is always offered.
    QString current = QStorageInfo(QDir::currentPath()).rootPath();
    if (current.isEmpty())
        current = QDir::rootPath();
    if (m_volumes->findData(current) < 0)
        m_volumes->addItem(QDir::toNativeSeparators(current), current);
    m_volumes->setCurrentIndex(m_volumes->findData(current));
}

void SourceDirectoryDialog::connectControls()
{
    connect(m_directories->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (m_selecting)
                    return;
                m_following = false;
                m_shownPath = m_directoryModel->filePath(current);
                m_name->setText(QDir::toNativeSeparators(m_shownPath));
                listFiles(m_shownPath);
            });
    // The tree is read in the background, and every directory read sorts its level anew: the
    // shown directory gets its final place only once all its parents are read. Until then, and
    // until the user takes the tree over, it is kept in view.
    connect(m_directoryModel, &QFileSystemModel::directoryLoaded, this,
            [this](const QString &loaded) {
                if (m_following && m_shownPath.startsWith(loaded))
                    selectInTree(m_shownPath);
            });
    connect(m_directoryModel, &QAbstractItemModel::layoutChanged, this, [this] {
        if (m_following)
            selectInTree(m_shownPath);
    });
    auto userTakesOver = [this] {
        if (!m_selecting)
            m_following = false;
    };
    connect(m_directories, &QTreeView::expanded, this, userTakesOver);
    connect(m_directories, &QTreeView::collapsed, this, userTakesOver);
    connect(m_volumes, &QComboBox::activated, this,
            [this](int index) { showDirectory(m_volumes->itemData(index).toString()); });
}

void SourceDirectoryDialog::showDirectory(const QString &path)
{
    m_name->setText(QDir::toNativeSeparators(path));
    listFiles(path);
    m_following = true;
    selectInTree(path);
}

void SourceDirectoryDialog::selectInTree(const QString &path)
{
    m_shownPath = path;
    const QModelIndex directory = m_directoryModel->index(path);
    if (!directory.isValid())
        return;
    // Neither a name that the user typed meanwhile nor the following may be disturbed by it.
    const QScopedValueRollback<bool> selecting(m_selecting, true);
    m_directories->setCurrentIndex(directory);
    m_directories->expand(directory);
    m_directories->scrollTo(directory);
}

void SourceDirectoryDialog::listFiles(const QString &path)
{
    m_files->setRootIndex(m_fileModel->setRootPath(path));
}

QString QtDialogs::chooseSourceDirectory(QWidget *parent, const NameCheck &acceptName,
                                         SourceDirectoryOptions *options)
{
    SourceDirectoryDialog dialog(parent, acceptName);
    if (options)
        dialog.setEncoding(options->encoding);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (options) {
        options->subdirectories = dialog.includesSubdirectories();
        options->encoding = dialog.encoding();
    }
    return dialog.directoryName();
}

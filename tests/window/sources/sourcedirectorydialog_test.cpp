#include "fixtures.h"
#include "window/qtdialogs.h"
#include "window/sources/sourcedirectorydialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace {

class SourceDirectoryDialogTest : public ::testing::Test
{
protected:
    SourceDirectoryDialogTest() : m_workingDirectory(QDir::currentPath())
    {
        QDir::setCurrent(corpus.path());
    }
    ~SourceDirectoryDialogTest() override { QDir::setCurrent(m_workingDirectory); }

    // Runs the production chooser and acts on it once it is open; acceptName decides on the
    // confirmed names.
    QString runChooser(
        std::function<void(QDialog *)> act,
        const Dialogs::NameCheck &acceptName = [](const QString &) { return true; })
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                acted = true;
                act(dialog);
                // A failed step must not leave the test waiting for a person.
                if (dialog->isVisible())
                    dialog->reject();
            }
        });
        QtDialogs dialogs;
        const QString result = dialogs.chooseSourceDirectory(nullptr, acceptName);
        EXPECT_TRUE(acted) << "the chooser did not open modally";
        return result;
    }
    static QPushButton *button(QDialog *dialog, const QString &text)
    {
        for (QPushButton *candidate : dialog->findChildren<QPushButton *>()) {
            if (candidate->text() == text)
                return candidate;
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }
    static QLineEdit *nameField(QDialog *dialog) { return dialog->findChild<QLineEdit *>(); }

    TempCorpus corpus;

private:
    QString m_workingDirectory;
};

} // namespace

TEST_F(SourceDirectoryDialogTest, OpensAtTheWorkingDirectoryWithItsCaptions)
{
    corpus.write(QStringLiteral("a.doc"), "x");
    SourceDirectoryDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Verzeichnis auswählen"));
    EXPECT_EQ(dialog.directoryName(), QDir::toNativeSeparators(corpus.path()));
    QStringList captions;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        captions << label->text();
    captions.sort();
    EXPECT_EQ(
        captions,
        (QStringList{QStringLiteral("&Dateien: (*.*)"), QStringLiteral("&Laufwerke:"),
                     QStringLiteral("&Verzeichnisse:"), QStringLiteral("Verzeichnis&name:")}));
    QStringList buttons;
    for (const QPushButton *candidate : dialog.findChildren<QPushButton *>())
        buttons << candidate->text();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));

    auto *tree = dialog.findChild<QTreeView *>();
    ASSERT_NE(tree, nullptr);
    // The tree is read in the background.
    QTRY_COMPARE_WITH_TIMEOUT(tree->currentIndex().data(Qt::DisplayRole).toString(),
                              QDir(corpus.path()).dirName(), 5000);
    EXPECT_EQ(dialog.directoryName(), QDir::toNativeSeparators(corpus.path()));
    auto *volumes = dialog.findChild<QComboBox *>();
    ASSERT_NE(volumes, nullptr);
    EXPECT_GE(volumes->count(), 1);
    EXPECT_NE(volumes->currentIndex(), -1);
}

TEST_F(SourceDirectoryDialogTest, ChoosingADirectoryInTheTreeFillsTheNameField)
{
    corpus.write(QStringLiteral("unter/a.txt"), "x");
    SourceDirectoryDialog dialog;
    auto *tree = dialog.findChild<QTreeView *>();
    ASSERT_NE(tree, nullptr);
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());
    ASSERT_NE(model, nullptr);
    const QString sub = corpus.path() + QStringLiteral("/unter");
    // The tree is read in the background.
    QTRY_VERIFY_WITH_TIMEOUT(model->index(sub).isValid(), 5000);
    tree->setCurrentIndex(model->index(sub));
    EXPECT_EQ(dialog.directoryName(),
              QDir::toNativeSeparators(corpus.path() + QStringLiteral("/unter")));
}

TEST_F(SourceDirectoryDialogTest, OkReturnsTheTypedNameEvenWhenItDoesNotExist)
{
    const QString result = runChooser([](QDialog *dialog) {
        QLineEdit *name = nameField(dialog);
        ASSERT_NE(name, nullptr);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("gibt/es/nicht"));
        QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton);
    });
    EXPECT_EQ(result, QStringLiteral("gibt/es/nicht"));
}

TEST_F(SourceDirectoryDialogTest, OkWithTheProposedNameReturnsTheWorkingDirectory)
{
    const QString result =
        runChooser([](QDialog *dialog) { QTest::keyClick(nameField(dialog), Qt::Key_Return); });
    EXPECT_EQ(result, QDir::toNativeSeparators(corpus.path()));
}

TEST_F(SourceDirectoryDialogTest, CancelReturnsTheEmptyText)
{
    const QString result = runChooser([](QDialog *dialog) {
        QTest::mouseClick(button(dialog, QStringLiteral("Abbrechen")), Qt::LeftButton);
    });
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(SourceDirectoryDialogTest, AnEmptyNameCannotBeConfirmed)
{
    SourceDirectoryDialog dialog;
    QLineEdit *name = nameField(&dialog);
    ASSERT_NE(name, nullptr);
    name->clear();
    EXPECT_FALSE(button(&dialog, QStringLiteral("OK"))->isEnabled());
    QTest::keyClicks(name, QStringLiteral("x"));
    EXPECT_TRUE(button(&dialog, QStringLiteral("OK"))->isEnabled());
}

TEST_F(SourceDirectoryDialogTest, ADeclinedNameLeavesTheChooserOpenAsTheUserLeftIt)
{
    QStringList checked;
    const QString result = runChooser(
        [&](QDialog *dialog) {
            QLineEdit *name = nameField(dialog);
            ASSERT_NE(name, nullptr);
            name->clear();
            QTest::keyClicks(name, QStringLiteral("neu/verzeichnis"));
            QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(name->text(), QStringLiteral("neu/verzeichnis"));
            QTest::keyClicks(name, QStringLiteral("2"));
            QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton);
        },
        [&](const QString &name) {
            checked << name;
            return checked.size() == 2;
        });
    EXPECT_EQ(checked, (QStringList{"neu/verzeichnis", "neu/verzeichnis2"}));
    EXPECT_EQ(result, QStringLiteral("neu/verzeichnis2"));
}

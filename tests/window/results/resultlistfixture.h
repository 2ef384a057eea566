#pragma once

#include "window/search/filelisteadd.h"
#include "windowfixture.h"

#include <QAction>
#include <QLabel>

// A window whose result list the tests fill directly, as the search would.
class ResultListTest : public WindowTest
{
protected:
    // Appends a checked row; with the factors at 1, G is f + fB.
    void addRow(const QString &path, qint32 f, double proz = -1.0, qint32 fB = -1)
    {
        filelisteAdd(path, f, proz, fB);
    }

    void setChecked(int row, bool checked)
    {
        form->files->topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    // The texts of one column from the top row down.
    QStringList column(int index) const
    {
        QStringList texts;
        for (int row = 0; row < rowCount(); ++row)
            texts << rowTexts(row)[index];
        return texts;
    }

    QList<bool> checkMarks() const
    {
        QList<bool> marks;
        for (int row = 0; row < rowCount(); ++row)
            marks << rowChecked(row);
        return marks;
    }
};

#include "search/tform1.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <initializer_list>

namespace {

void addAll(QBoxLayout *layout, std::initializer_list<QWidget *> widgets)
{
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
}

} // namespace

// A plain two-column arrangement: the sources and the search on the left, the results, the
// preview and the outputs on the right.
void TForm1::arrangeControls()
{
    auto *sources = new QVBoxLayout(Panel1);
    addAll(sources, {Label1, box});

    auto *left = new QVBoxLayout;
    left->addWidget(Panel1, 1);
    addAll(left, {Button2, Label4, zielverz, Button1});
    const std::initializer_list<std::initializer_list<QWidget *>> leftRows = {
        {Label2, Label14},
        {Edit1},
        {Label9, Label15},
        {edit_ausschl},
        {Label10, Label16},
        {Edit2},
        {Label11, Edit3, Label12, Edit4},
        {RadioButton1, Label6, RadioButton2, CheckBox1, Button3, Button6},
        {bar1},
    };
    for (const auto &row : leftRows) {
        auto *line = new QHBoxLayout;
        addAll(line, row);
        left->addLayout(line);
    }

    auto *heading = new QHBoxLayout;
    addAll(heading, {Label5, Label7});
    heading->addStretch();
    heading->addWidget(Label17);
    auto *outputs = new QHBoxLayout;
    addAll(outputs, {Button7, Button4, Label8, Button5, antlist});

    auto *right = new QVBoxLayout;
    right->addLayout(heading);
    right->addWidget(files, 1);
    right->addWidget(Label3);
    right->addWidget(vorschau, 1);
    right->addLayout(outputs);
    right->addWidget(bar2);

    auto *columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
}

#include "window/compactindicatorstyle.h"
#include "window/fonts.h"
#include "window/tform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// W: the window font; WB: the same in bold; H: the headings of fields and lists.
enum class Font
{
    W,
    WB,
    H
};

enum class Colour
{
    Text,
    Red,
    Grey,
    Highlight
};

struct Placement
{
    QWidget *control;
    int left;
    int top;
    int width;
    int height;
    Font font;
    Colour colour;
};

// Rows of the source list are as high as a line of the window font, so that more paths fit.
class SourceRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 13};
    }
};

QFont fontFor(Font font)
{
    switch (font) {
    case Font::WB:
        return windowBoldFont();
    case Font::H:
        return headingFont();
    case Font::W:
        break;
    }
    return windowFont();
}

void setTextColour(QWidget *control, Colour colour)
{
    if (colour == Colour::Text)
        return;
    QPalette palette = control->palette();
    QColor color;
    switch (colour) {
    case Colour::Red:
        color = QColor(255, 0, 0);
        break;
    case Colour::Grey:
        color = QColor(128, 128, 128);
        break;
    default:
        color = palette.color(QPalette::Highlight);
        break;
    }
    palette.setColor(QPalette::WindowText, color);
    control->setPalette(palette);
}

void place(const Placement &p, const QLabel *fixedSizeLabel)
{
    p.control->setFont(fontFor(p.font));
    setTextColour(p.control, p.colour);
    QSize size(p.width, p.height);
    // Labels take the size of their text: where the font in use is wider than the one the
    // layout was drawn with, the label grows rather than cutting its caption off.
    auto *label = qobject_cast<QLabel *>(p.control);
    if (label && label != fixedSizeLabel)
        size = size.expandedTo(label->sizeHint());
    // The window keeps one size and has no layouts, so each control keeps its size too. A fixed
    // size also stops a new caption from asking the parent to lay out again, which the search
    // would otherwise do with the hit counter at every round of events.
    p.control->setFixedSize(size);
    p.control->move(p.left, p.top);
}

} // namespace

// Every visible control at its place on a client area of 978 by 600 pixels.
void TForm1::arrangeControls()
{
    const Font W = Font::W, WB = Font::WB, H = Font::H;
    const Colour text = Colour::Text, red = Colour::Red, grey = Colour::Grey,
                 highlight = Colour::Highlight;
    const Placement layout[] = {
        {Panel1, 1, 0, 473, 247, W, text},          {Label1, 16, 11, 107, 13, H, text},
        {box, 14, 30, 410, 146, W, text},           {Button2, 431, 149, 33, 27, W, text},
        {Label4, 16, 189, 90, 13, H, text},         {zielverz, 15, 208, 410, 25, W, text},
        {Button1, 431, 206, 33, 27, W, text},       {Label2, 16, 269, 189, 13, H, red},
        {Label14, 211, 269, 13, 13, W, grey},       {Edit1, 16, 288, 457, 25, W, text},
        {Label9, 16, 319, 440, 13, H, text},        {Label15, 462, 319, 13, 13, W, grey},
        {edit_ausschl, 16, 338, 457, 25, W, text},  {Label10, 17, 382, 262, 13, H, highlight},
        {Label16, 285, 382, 13, 13, W, grey},       {Edit2, 17, 401, 457, 25, W, text},
        {Label11, 190, 432, 57, 13, H, text},       {Edit3, 253, 429, 73, 21, W, text},
        {Label12, 332, 432, 65, 13, H, text},       {Edit4, 403, 429, 71, 21, W, text},
        {RadioButton1, 18, 533, 113, 17, W, text},  {Label6, 137, 534, 13, 13, W, grey},
        {RadioButton2, 174, 533, 113, 17, W, text}, {CheckBox1, 190, 548, 186, 17, W, text},
        {Button3, 382, 528, 92, 42, W, text},       {Button6, 382, 528, 92, 42, W, text},
        {bar1, 17, 576, 456, 9, W, text},           {Label5, 496, 11, 187, 13, H, text},
        {Label7, 689, 11, 49, 13, WB, text},        {Label17, 957, 11, 13, 13, W, grey},
        {files, 496, 30, 465, 172, W, text},        {Label3, 496, 220, 95, 13, H, text},
        {vorschau, 496, 239, 465, 233, W, text},    {Button7, 496, 480, 233, 41, W, text},
        {Button4, 496, 528, 233, 42, W, text},      {Button5, 808, 522, 153, 21, W, text},
        {Label8, 758, 541, 26, 13, W, text},        {antlist, 808, 549, 153, 21, W, text},
        {bar2, 496, 576, 465, 9, W, text},
    };
    setFont(windowFont());
    for (const Placement &placement : layout)
        place(placement, Label2);

    auto *compact = new CompactIndicatorStyle;
    compact->setParent(this);
    for (QWidget *option :
         {static_cast<QWidget *>(RadioButton1), static_cast<QWidget *>(RadioButton2),
          static_cast<QWidget *>(CheckBox1)})
        option->setStyle(compact);

    // The panel only frames the source list; the target directory controls lie over it.
    Panel1->lower();
    box->setItemDelegate(new SourceRowDelegate(box));
    arrangeResultColumns();
}

void TForm1::arrangeResultColumns()
{
    QHeaderView *header = files->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const int widths[] = {40, 40, 40, 50};
    // The number columns start at these widths; the user may widen them by dragging the dividers
    // of the header, and the file column gives up the room.
    for (int column = 1; column <= 4; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, widths[column - 1]);
    }
    files->setAllColumnsShowFocus(false);
}

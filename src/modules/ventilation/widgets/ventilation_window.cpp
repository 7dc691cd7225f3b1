#include "modules/ventilation/widgets/ventilation_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "modules/ventilation/core/ventilation.h"
#include "widgets/text_box_widget.h"

namespace tunnel {

namespace {

enum Box { Inputs, Equipment, Gas, Demand, Supply, Pressure };

struct Placed {
    QLayoutItem *item;
    int row, column, rowSpan, columnSpan;
};

}  // namespace

VentilationWindow::VentilationWindow(Dialogs &dialogs, QString programFolder, QWidget *parent)
    : CalcWindow(VentilationTable(), dialogs, std::move(programFolder), Layout::Standard, parent) {
    AddGasOption();
    AddGasNote();
    Tighten();
    Arrange();
    PrepareVentilation(*this);
}

void VentilationWindow::SetBusy(bool busy) {
    CalcWindow::SetBusy(busy);
    if (QPushButton *button = Button(kExportButtonId)) button->setEnabled(!busy);
}

// The check box and its note go above the three gas fields.
void VentilationWindow::AddGasOption() {
    QGroupBox *box = Group(Gas);
    auto *grid = static_cast<QGridLayout *>(box->layout());
    QList<Placed> placed;
    while (grid->count() > 0) {
        Placed p{};
        grid->getItemPosition(0, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
        p.item = grid->takeAt(0);
        placed.append(p);
    }
    for (const Placed &p : placed)
        grid->addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);

    auto *option = new QCheckBox(QStringLiteral("隧道内含瓦斯（按瓦斯绝对涌出计算）"), box);
    option->setObjectName(kGasOptionId);
    auto *note = new QLabel(QStringLiteral("隧道内不含瓦斯时可不选"), box);
    note->setStyleSheet(QStringLiteral("color: #505050;"));
    grid->addWidget(option, 0, 0, 1, 2);
    grid->addWidget(note, 0, 2, 1, 2);
    connect(option, &QCheckBox::clicked, this, [this] { GasOptionChanged(*this); });
}

// "不考虑" stands in the cell of the Q5 field until the gas option changes.
void VentilationWindow::AddGasNote() {
    QGroupBox *box = Group(Demand);
    auto *grid = static_cast<QGridLayout *>(box->layout());
    QWidget *field = Unit(kByGas);
    int row = 0, column = 1, rowSpan = 1, columnSpan = 1;
    grid->getItemPosition(grid->indexOf(field), &row, &column, &rowSpan, &columnSpan);
    auto *note = new QLabel(QStringLiteral("不考虑"), box);
    note->setObjectName(kGasNoteId);
    note->setMinimumHeight(field->sizeHint().height());
    grid->addWidget(note, row, column);
}

// The form's labels keep a trailing line break that its fixed label boxes hid;
// narrow fields and wrapped notes keep the window within a laptop screen.
void VentilationWindow::Tighten() {
    QList<QLabel *> fieldLabels;
    for (const FieldRow &field : Table().fields) fieldLabels << FieldLabel(field.id);
    for (int g = Inputs; g <= Pressure; ++g) {
        QGroupBox *box = Group(g);
        static_cast<QGridLayout *>(box->layout())->setVerticalSpacing(3);
        for (QLabel *label : box->findChildren<QLabel *>()) {
            QString text = label->text();
            while (text.endsWith(u'\n') || text.endsWith(u'\r')) text.chop(1);
            label->setText(text);
            const bool hint = !fieldLabels.contains(label) && label->objectName().isEmpty();
            if (g == Gas && hint && text.size() > 10) {
                label->setWordWrap(true);
                label->setMaximumWidth(140);
            }
        }
        for (QLineEdit *edit : box->findChildren<QLineEdit *>()) edit->setFixedWidth(90);
    }
}

// Three columns of group boxes over the log box: the standard single column
// would be far taller than a screen.
void VentilationWindow::Arrange() {
    QWidget *central = centralWidget();
    delete central->layout();
    auto *grid = new QGridLayout(central);

    auto column = [this](std::initializer_list<Box> boxes) {
        auto *stack = new QVBoxLayout;
        for (Box b : boxes) stack->addWidget(Group(b));
        stack->addStretch();
        return stack;
    };
    grid->addLayout(column({Inputs, Supply}), 0, 0);
    grid->addLayout(column({Equipment}), 0, 1);
    grid->addLayout(column({Gas, Demand, Pressure}), 0, 2);
    // The log takes what the groups leave, down to a few lines.
    LogBox()->setMinimumHeight(90);
    LogBox()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    grid->addWidget(LogBox(), 1, 0, 1, 3);
    grid->addWidget(FileRow(), 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
}

}  // namespace tunnel

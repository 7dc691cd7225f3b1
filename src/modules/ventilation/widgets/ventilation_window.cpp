#include "modules/ventilation/widgets/ventilation_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "modules/ventilation/core/ventilation.h"
#include "modules/ventilation/core/ventilation_ids.h"
#include "widgets/module_window.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

enum Box { Inputs, Equipment, Gas, Demand, Supply, Pressure, Fan };

// Wraps a note of the narrow gas column; short ones stay on their line. Its
// width is fixed and its height asked for, since the window takes its height
// from the minimum heights and a wrapped label has none of its own.
void WrapGasNote(QLabel *note) {
    if (!note || note->text().size() <= 10) return;
    note->setWordWrap(true);
    note->setFixedWidth(140);
    note->setMinimumHeight(note->heightForWidth(140));
}

}  // namespace

VentilationWindow::VentilationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : CalcWindow(VentilationTable(), dialogs, std::move(dataFolder), Layout::LogBelow, parent) {
    AddGasOption();
    AddGasNote();
    Tighten();
    PrepareVentilation(*this);
}

void VentilationWindow::SetBusy(bool busy) {
    CalcWindow::SetBusy(busy);
    if (QPushButton *button = Button(kExportButtonId)) button->setEnabled(!busy);
}

// The check box and its note take the row the table leaves above the gas fields.
void VentilationWindow::AddGasOption() {
    QGroupBox *box = Group(Gas);
    QGridLayout *grid = GroupGrid(Gas);
    auto *option = new QCheckBox(QStringLiteral("隧道内含瓦斯（按瓦斯绝对涌出计算）"), box);
    option->setObjectName(kGasOptionId);
    auto *note = new TextLabel(QStringLiteral("隧道内不含瓦斯时可不选"), box);
    StyleAsNote(note);
    WrapGasNote(note);
    grid->addWidget(option, 0, 0, 1, 2);
    grid->addWidget(note, 0, 2, 1, 2);
    connect(option, &QCheckBox::clicked, this, [this] { GasOptionChanged(*this); });
}

// "不考虑" stands in the cell of the Q5 field until the gas option changes.
void VentilationWindow::AddGasNote() {
    QGroupBox *box = Group(Demand);
    QGridLayout *grid = GroupGrid(Demand);
    QWidget *field = Unit(kByGas);
    int row = 0, column = 1, rowSpan = 1, columnSpan = 1;
    grid->getItemPosition(grid->indexOf(field), &row, &column, &rowSpan, &columnSpan);
    auto *note = new TextLabel(QStringLiteral("不考虑"), box);
    note->setObjectName(kGasNoteId);
    note->setMinimumHeight(field->sizeHint().height());
    grid->addWidget(note, row, column);
}

// Narrow fields and wrapped notes keep the window within a laptop screen.
void VentilationWindow::Tighten() {
    for (int g = Inputs; g <= Fan; ++g) {
        GroupGrid(g)->setVerticalSpacing(3);
        for (QLineEdit *edit : Group(g)->findChildren<QLineEdit *>()) edit->setFixedWidth(90);
    }
    // A fan model is a name, longer than the numbers; it takes its unit column too.
    Unit(ventilation_ids::kFanModel)->setFixedWidth(150);
    for (const FieldRow &field : Table().fields)
        if (field.group == Gas) WrapGasNote(HintLabel(field.id));
}

}  // namespace tunnel

namespace tunnel::modules::ventilation {

QWidget *CreateWindow(const WindowContext &context) {
    return new VentilationWindow(context.dialogs, context.dataFolder);
}

}  // namespace tunnel::modules::ventilation

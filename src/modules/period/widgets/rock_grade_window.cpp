#include "modules/period/widgets/rock_grade_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/window_table.h"
#include "modules/period/core/rock_grade_list.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

struct EditorButton {
    const char *id;
    const char *caption;
    void (*command)(Form &);
};

constexpr EditorButton kButtons[] = {
    {"按钮1添加", "添加", &AddRockGrade},    {"按钮1插入", "插入", &InsertRockGrade},
    {"按钮1修改", "修改", &ModifyRockGrade}, {"按钮1删除", "删除", &DeleteRockGrade},
    {"按钮1清空", "清空", &ClearRockGrades},
};

}  // namespace

RockGradeWindow::RockGradeWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : QWidget(parent, Qt::Dialog), m_dialogs(dialogs), m_dataFolder(std::move(dataFolder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("添加围岩等级"));
    resize(299, 346);

    m_list = new QListWidget(this);
    m_list->setObjectName(kGradeListBox);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_name = new QLineEdit(this);
    m_name->setObjectName(kGradeNameBox);
    m_hint = new TextLabel(QStringLiteral("提示："), this);
    m_hint->setObjectName(kGradeHint);
    SetTextColour(m_hint, QColor(0xc0, 0, 0));

    auto *buttons = new QVBoxLayout;
    for (const EditorButton &entry : kButtons) {
        auto *button = new QPushButton(entry.caption, this);
        button->setObjectName(entry.id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, &entry] { entry.command(*this); });
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0);
    grid->addLayout(buttons, 0, 1, 3, 1);
    grid->addWidget(m_name, 1, 0);
    grid->addWidget(m_hint, 2, 0);
    grid->setColumnStretch(0, 1);

    connect(m_list, &QListWidget::itemClicked, this, [this] { RockGradeSelected(*this); });
    // Focus in the list would mark its first entry, which reads as a choice.
    m_name->setFocus();
    m_stored = !RockGradeEditorOpened(*this);
}

RockGradeWindow::~RockGradeWindow() {
    if (!m_stored) {
        m_stored = true;
        RockGradeEditorClosing(*this);
    }
}

void RockGradeWindow::closeEvent(QCloseEvent *event) {
    if (!m_stored) {
        m_stored = true;
        RockGradeEditorClosing(*this);
    }
    event->accept();
}

QPushButton *RockGradeWindow::Button(const char *id) const {
    return qobject_cast<QPushButton *>(Find(id));
}

QWidget *RockGradeWindow::Find(QAnyStringView id) const {
    return findChild<QWidget *>(id.toString());
}

QString RockGradeWindow::Text(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (auto *edit = qobject_cast<QLineEdit *>(unit)) return edit->text();
    if (auto *list = qobject_cast<QListWidget *>(unit))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return Caption(id);
}

void RockGradeWindow::SetText(QAnyStringView id, const QString &text) {
    if (auto *edit = qobject_cast<QLineEdit *>(Find(id)))
        edit->setText(text);
    else
        SetCaption(id, text);
}

QString RockGradeWindow::Caption(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (auto *label = qobject_cast<QLabel *>(unit)) return label->text();
    if (auto *button = qobject_cast<QPushButton *>(unit)) return button->text();
    return QString();
}

void RockGradeWindow::SetCaption(QAnyStringView id, const QString &text) {
    QWidget *unit = Find(id);
    if (auto *label = qobject_cast<QLabel *>(unit))
        label->setText(text);
    else if (auto *button = qobject_cast<QPushButton *>(unit))
        button->setText(text);
}

void RockGradeWindow::SetEnabled(QAnyStringView id, bool enabled) {
    if (QWidget *unit = Find(id)) unit->setEnabled(enabled);
}

void RockGradeWindow::SetVisible(QAnyStringView id, bool visible) {
    if (QWidget *unit = Find(id)) unit->setVisible(visible);
}

int RockGradeWindow::CurrentIndex(QAnyStringView id) const {
    auto *list = qobject_cast<QListWidget *>(Find(id));
    if (!list || !list->currentItem() || !list->currentItem()->isSelected()) return -1;
    return list->currentRow();
}

void RockGradeWindow::SetCurrentIndex(QAnyStringView id, int index) {
    auto *list = qobject_cast<QListWidget *>(Find(id));
    if (!list) return;
    if (index >= 0 && index < list->count()) {
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        list->clearSelection();
        list->setCurrentRow(-1);
    }
}

QStringList RockGradeWindow::Items(QAnyStringView id) const {
    QStringList items;
    if (auto *list = qobject_cast<QListWidget *>(Find(id)))
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

void RockGradeWindow::SetItems(QAnyStringView id, const QStringList &items) {
    auto *list = qobject_cast<QListWidget *>(Find(id));
    if (!list) return;
    if (list->count() == items.size()) {
        for (int i = 0; i < items.size(); ++i) list->item(i)->setText(items[i]);
        return;
    }
    list->clear();
    list->addItems(items);
}

}  // namespace tunnel

#include "modules/dangerous_works/widgets/dangerous_works_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBox>
#include <QVBoxLayout>

#include "modules/dangerous_works/core/dangerous_works.h"
#include "widgets/group_box.h"
#include "widgets/module_window.h"
#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

QLabel *Heading(const char *text, int pointSize, QWidget *parent) {
    auto *label = new TextLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

// Wraps long texts at the width the list lays its rows out in. Qt measures
// a row sometimes at that width and sometimes at the full viewport width, and
// a text whose width falls in between then gets a one-line highlight over a
// two-line row.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QListView *view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QStyleOptionViewItem wrapped = option;
        const int width = qMax(40, m_view->viewport()->width() - 2 * m_view->spacing());
        wrapped.rect.setWidth(width);
        QSize size = QStyledItemDelegate::sizeHint(wrapped, index);
        size.setWidth(width);
        return size;
    }

private:
    QListView *m_view;
};

QListWidget *List(const char *id, QWidget *parent) {
    auto *list = new QListWidget(parent);
    list->setObjectName(id);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setItemDelegate(new WrappingDelegate(list));
    return list;
}

}  // namespace

DangerousWorksWindow::DangerousWorksWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                                           QWidget *parent)
    : CalcWindow(DangerousWorksTable(), dialogs, std::move(dataFolder), Layout::None, parent),
      m_ops(ops) {
    // The window has no "文件" menu; its only menu is the hidden pop-up.
    menuBar()->clear();
    m_contextMenu = menuBar()->addMenu(QStringLiteral("菜单"));
    m_contextMenu->menuAction()->setVisible(false);
    m_delete = m_contextMenu->addAction(QStringLiteral("删除"));
    connect(m_delete, &QAction::triggered, this, [this] { DeleteSelectedItems(*this); });
    menuBar()->hide();

    BuildLayout();
    ConnectFormworkButton();
    setFixedSize(1076, 580);
}

QWidget *DangerousWorksWindow::BuildPage(Tier tier) {
    const TierTable &table = TierOf(tier);
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    QLabel *heading = Heading(table.pageHeading, 13, page);
    SetTextColour(heading, QColor(0xa0, 0, 0));
    column->addWidget(heading);
    auto *row = new QHBoxLayout;
    column->addLayout(row, 1);

    // Roll-up menu: a heading per category and one clickable item below it.
    auto *menuColumn = new QVBoxLayout;
    if (*table.menuHeading) menuColumn->addWidget(Heading(table.menuHeading, 10, page));
    auto *menu = new QToolBox(page);
    menu->setObjectName(table.menuId);
    for (int i = 0; i < static_cast<int>(table.categories.size()); ++i) {
        const Category &category = table.categories[i];
        auto *group = new QWidget;
        auto *groupLayout = new QVBoxLayout(group);
        groupLayout->setContentsMargins(12, 2, 4, 2);
        auto *item = new QPushButton(category.item, group);
        item->setFlat(true);
        item->setCursor(Qt::PointingHandCursor);
        item->setStyleSheet(QStringLiteral("text-align: left; color: #0040a0; padding: 4px;"));
        connect(item, &QPushButton::clicked, this,
                [this, tier, i] { ChooseCategory(*this, tier, i); });
        groupLayout->addWidget(item);
        groupLayout->addStretch();
        menu->addItem(group, category.heading);
    }
    menu->setFixedWidth(275);
    menuColumn->addWidget(menu, 1);
    row->addLayout(menuColumn);

    auto *catalogueColumn = new QVBoxLayout;
    catalogueColumn->addWidget(Heading(table.catalogueHeading, 10, page));
    QListWidget *catalogue = List(table.catalogueId, page);
    // The catalogue's rows stand 10 pixels apart.
    catalogue->setSpacing(10);
    catalogueColumn->addWidget(catalogue, 1);
    row->addLayout(catalogueColumn, 1);

    auto *projectBox = new GroupBox(table.projectGroup, page);
    auto *projectLayout = new QVBoxLayout(projectBox);
    QListWidget *project = List(table.projectId, projectBox);
    project->setSpacing(3);
    project->setContextMenuPolicy(Qt::CustomContextMenu);
    projectLayout->addWidget(project, 1);
    auto *buttons = new QHBoxLayout;
    for (const char *id : {table.openButton, table.saveButton, table.exportButton})
        buttons->addWidget(Button(id));
    projectLayout->addLayout(buttons);
    row->addWidget(projectBox, 1);

    connect(catalogue, &QListWidget::itemSelectionChanged, this,
            [this, tier] { DescribeCatalogueItem(*this, tier); });
    connect(catalogue, &QListWidget::itemDoubleClicked, this,
            [this, tier] { AddSelectedItem(*this, tier); });
    connect(project, &QListWidget::itemSelectionChanged, this,
            [this, tier] { DescribeProjectItem(*this, tier); });
    connect(project, &QWidget::customContextMenuRequested, this,
            [this, project](const QPoint &pos) {
                m_contextMenu->popup(project->viewport()->mapToGlobal(pos));
            });
    return page;
}

void DangerousWorksWindow::BuildLayout() {
    ProgressBar()->hide();
    FieldLabel(kDescriptionId)->hide();

    auto *tabs = new QTabWidget(centralWidget());
    tabs->setObjectName(kDangerTabsId);
    for (Tier tier : kTiers) tabs->addTab(BuildPage(tier), U(TierOf(tier).page));

    QGroupBox *results = Group(1);
    auto *resultsGrid = GroupGrid(1);
    resultsGrid->addWidget(Button(kFormworkButtonId), 0, 0);

    QGroupBox *notes = Group(0);
    auto *notesGrid = GroupGrid(0);
    QWidget *description = Unit(kDescriptionId);
    description->setFixedSize(292, 73);
    LogBox()->setFixedSize(192, 73);
    notesGrid->addWidget(description, 0, 0);
    notesGrid->addWidget(LogBox(), 0, 1);

    auto *footer = new TextLabel(
        U(kFooterText).replace(QLatin1String("\r\n"), QLatin1String("\n")), centralWidget());
    SetTextColour(footer, QColor(0x40, 0x40, 0x40));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(results, 0, Qt::AlignTop);
    bottom->addStretch();
    bottom->addWidget(notes);

    auto *main = new QVBoxLayout(centralWidget());
    main->setContentsMargins(6, 4, 6, 4);
    main->setSpacing(4);
    main->addWidget(tabs, 1);
    main->addLayout(bottom);
    main->addWidget(footer);
}

void DangerousWorksWindow::ConnectFormworkButton() {
    if (!m_ops.HasModule("formwork")) return;
    QPushButton *button = Button(kFormworkButtonId);
    button->setEnabled(true);
    connect(button, &QPushButton::clicked, this, [this] {
        m_ops.OpenModalWindow(m_ops.CreateModuleWindow("formwork", DialogService(), DataFolder()));
    });
}

int DangerousWorksWindow::CurrentIndex(QAnyStringView id) const {
    if (auto *list = qobject_cast<QListWidget *>(Unit(id))) {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.constFirst().row();
    }
    return CalcWindow::CurrentIndex(id);
}

void DangerousWorksWindow::SetCurrentIndex(QAnyStringView id, int index) {
    if (auto *list = qobject_cast<QListWidget *>(Unit(id)); list && index < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    CalcWindow::SetCurrentIndex(id, index);
}

QWidget *CreateDangerousWorksWindow(Dialogs &dialogs, const QString &dataFolder, WindowOps &ops) {
    return new DangerousWorksWindow(dialogs, dataFolder, ops);
}

}  // namespace tunnel

namespace tunnel::modules::dangerous_works {

QWidget *CreateWindow(const WindowContext &context) {
    return CreateDangerousWorksWindow(context.dialogs, context.dataFolder, *context.ops);
}

}  // namespace tunnel::modules::dangerous_works

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "widgets/calc_window.h"

// Where the table's units stand: fields and buttons in the grids of their
// group boxes, the boxes in columns and on tab pages.

namespace tunnel {

void CalcWindow::PlaceFields() {
    m_placed = true;
    for (int g = 0; g < m_groups.size(); ++g) {
        auto *grid = static_cast<QGridLayout *>(m_groups[g]->layout());
        // Small buttons have a column of their own, so hints line up.
        const bool smallButtons =
            std::any_of(m_table.buttons.begin(), m_table.buttons.end(), [&](const ButtonRow &b) {
                const FieldRow *field = b.besideField ? FindField(m_table, b.besideField) : nullptr;
                return field && field->group == g;
            });
        int next = 0;
        for (const FieldRow &field : m_table.fields) {
            if (field.group != g) continue;
            const Place &place = field.place;
            int row = place.row >= 0 ? place.row : next;
            int column = place.column;
            QLabel *label = m_labels.value(field.id);
            switch (place.label) {
                case LabelAt::Left:
                    grid->addWidget(label, row, column++);
                    break;
                case LabelAt::Above:
                    label->setWordWrap(true);
                    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
                    grid->addWidget(label, row++, column, 1, place.span);
                    break;
                case LabelAt::Hidden:
                    label->hide();
                    break;
            }
            if (QLabel *unit = m_units.value(field.id)) {
                auto *cell = new QHBoxLayout;
                cell->setSpacing(4);
                cell->addWidget(Find(field.id), 1);
                cell->addWidget(unit);
                grid->addLayout(cell, row, column, 1, place.span);
            } else {
                grid->addWidget(Find(field.id), row, column, 1, place.span);
            }
            grid->setColumnStretch(column, 1);
            const int after = column + place.span;
            for (const ButtonRow &b : m_table.buttons)
                if (b.besideField && qstrcmp(b.besideField, field.id) == 0)
                    grid->addWidget(Button(b.id), row, after);
            if (QLabel *hint = m_hints.value(field.id)) {
                if (place.hint == HintAt::Below)
                    grid->addWidget(hint, ++row, column, 1, place.span);
                else
                    grid->addWidget(hint, row, smallButtons ? after + 1 : after);
            }
            next = row + 1;
        }

        // Buttons of one cell stand side by side at its right end; the
        // remaining ones likewise in a row under everything else.
        QMap<std::tuple<int, int, int>, QHBoxLayout *> cells;
        QHBoxLayout *commands = nullptr;
        for (const ButtonRow &b : m_table.buttons) {
            if (b.group != g || b.besideField) continue;
            QHBoxLayout *&strip =
                b.place.row >= 0 ? cells[{b.place.row, b.place.column, b.place.span}] : commands;
            if (!strip) {
                strip = new QHBoxLayout;
                strip->addStretch();
            }
            strip->addWidget(Button(b.id));
        }
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            const auto [row, column, span] = it.key();
            grid->addLayout(it.value(), row, column, 1, span);
        }
        if (commands) grid->addLayout(commands, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

QWidget *CalcWindow::BuildGroupArea() {
    auto *area = new QWidget(centralWidget());
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(GroupColumns(nullptr));

    // The pages in the order the groups name them.
    QList<const char *> pages;
    for (const GroupRow &group : m_table.groups)
        if (group.page && std::none_of(pages.cbegin(), pages.cend(), [&](const char *page) {
                return qstrcmp(page, group.page) == 0;
            }))
            pages << group.page;
    if (pages.isEmpty()) {
        column->addStretch();
        return area;
    }
    m_pages = new QTabWidget(area);
    for (const char *caption : pages) {
        auto *page = new QWidget;
        page->setLayout(GroupColumns(caption));
        m_pages->addTab(page, caption);
    }
    column->addWidget(m_pages, 1);
    return area;
}

// The group boxes of one page (null: of the window itself) in their columns,
// each column top-aligned.
QLayout *CalcWindow::GroupColumns(const char *page) {
    QMap<int, QVBoxLayout *> columns;
    for (int g = 0; g < m_groups.size(); ++g) {
        const GroupRow &group = m_table.groups[g];
        if (page ? !group.page || qstrcmp(page, group.page) != 0 : group.page != nullptr) continue;
        QVBoxLayout *&stack = columns[group.column];
        if (!stack) stack = new QVBoxLayout;
        stack->addWidget(m_groups[g]);
    }
    auto *row = new QHBoxLayout;
    for (QVBoxLayout *stack : std::as_const(columns)) {
        stack->addStretch();
        row->addLayout(stack);
    }
    return row;
}

}  // namespace tunnel

// The windows laid out from their tables put every unit where its row says:
// fields, labels, hints and buttons in the grid cells of their group boxes,
// the boxes in their columns and on their tab pages.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "core/module_entry.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"
#include "widgets/module_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

struct Cell {
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
};

// Where the widget stands in the grid of its group box, directly or in a
// row of buttons that fills a cell.
std::optional<Cell> CellOf(QWidget *widget) {
    auto *grid = qobject_cast<QGridLayout *>(widget->parentWidget()->layout());
    if (!grid) return std::nullopt;
    for (int i = 0; i < grid->count(); ++i) {
        QLayoutItem *item = grid->itemAt(i);
        if (item->widget() != widget && !(item->layout() && item->layout()->indexOf(widget) >= 0))
            continue;
        Cell c;
        grid->getItemPosition(i, &c.row, &c.column, &c.rowSpan, &c.columnSpan);
        return c;
    }
    return std::nullopt;
}

QString Shown(const char *text) {
    QString shown = QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (shown.endsWith(u'\n')) shown.chop(1);
    return shown;
}

}  // namespace

class TestTablePlacement : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fieldsInTheirCells_data();
    void fieldsInTheirCells();
    void buttonsInTheirCells_data() { fieldsInTheirCells_data(); }
    void buttonsInTheirCells();
    void groupsInTheirColumnsAndPages_data() { fieldsInTheirCells_data(); }
    void groupsInTheirColumnsAndPages();

private:
    CalcWindow *Open();

    QTemporaryDir m_dir;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<QWidget> m_window;
};

void TestTablePlacement::init() {
    m_dialogs = new ScriptedDialogs;
}

void TestTablePlacement::cleanup() {
    delete m_window;
    delete m_dialogs;
}

void TestTablePlacement::fieldsInTheirCells_data() {
    QTest::addColumn<QString>("module");
    for (const ModuleEntry *entry : BuiltModules()) QTest::newRow(entry->id) << entry->id;
}

CalcWindow *TestTablePlacement::Open() {
    QFETCH(QString, module);
    m_window = CreateModuleWindow(*FindModule(module.toStdString()),
                                  WindowContext{*m_dialogs, m_dir.path()});
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window)) return nullptr;
    return qobject_cast<CalcWindow *>(m_window.data());
}

void TestTablePlacement::fieldsInTheirCells() {
    CalcWindow *window = Open();
    QVERIFY(m_window);
    if (!window || !window->PlacedFromTable()) QSKIP("the window places its units itself");
    const WindowTable &table = window->Table();
    QHash<int, int> lastRow;  // of each group, for the rows that follow
    for (const FieldRow &field : table.fields) {
        const QString id = QString::fromUtf8(field.id);
        const Place &place = field.place;
        QWidget *box = window->Unit(field.id);
        QVERIFY2(box && box->parentWidget() == window->Group(field.group), qPrintable(id));
        const std::optional<Cell> cell = CellOf(box);
        QVERIFY2(cell, qPrintable(id));
        if (place.row >= 0)
            QCOMPARE(cell->row, place.row + (place.label == LabelAt::Above ? 1 : 0));
        else
            QVERIFY2(cell->row > lastRow.value(field.group, -1), qPrintable(id));
        QCOMPARE(cell->column, place.column + (place.label == LabelAt::Left ? 1 : 0));
        QCOMPARE(cell->columnSpan, place.span);

        QLabel *label = window->FieldLabel(field.id);
        if (place.label == LabelAt::Hidden) {
            QVERIFY2(!label->isVisibleTo(window), qPrintable(id));
        } else {
            const std::optional<Cell> at = CellOf(label);
            QVERIFY2(at, qPrintable(id));
            if (place.label == LabelAt::Left) {
                QCOMPARE(at->row, cell->row);
                QCOMPARE(at->column, cell->column - 1);
            } else {
                QCOMPARE(at->row, cell->row - 1);
                QCOMPARE(at->column, cell->column);
                QCOMPARE(at->columnSpan, place.span);
            }
        }

        QLabel *hint = window->HintLabel(field.id);
        lastRow[field.group] = cell->row;
        if (!*field.hint) {
            QVERIFY2(!hint, qPrintable(id));
            continue;
        }
        QVERIFY2(hint, qPrintable(id));
        QCOMPARE(hint->text(), Shown(field.hint));
        if (field.hintId) QCOMPARE(hint->objectName(), QString::fromUtf8(field.hintId));
        QCOMPARE(hint->parentWidget(), box->parentWidget());
        const std::optional<Cell> at = CellOf(hint);
        QVERIFY2(at, qPrintable(id));
        if (place.hint == HintAt::Below) {
            QCOMPARE(at->row, cell->row + 1);
            QCOMPARE(at->column, cell->column);
            lastRow[field.group] = at->row;
        } else {
            QCOMPARE(at->row, cell->row);
            QVERIFY2(at->column >= cell->column + cell->columnSpan, qPrintable(id));
        }
    }
}

void TestTablePlacement::buttonsInTheirCells() {
    CalcWindow *window = Open();
    QVERIFY(m_window);
    if (!window || !window->PlacedFromTable()) QSKIP("the window places its units itself");
    for (const ButtonRow &row : window->Table().buttons) {
        if (row.group < 0) continue;
        QPushButton *button = window->Button(row.id);
        QVERIFY2(button && button->parentWidget() == window->Group(row.group), row.id);
        const std::optional<Cell> cell = CellOf(button);
        QVERIFY2(cell, row.id);
        if (row.besideField) {
            const std::optional<Cell> field = CellOf(window->Unit(row.besideField));
            QCOMPARE(cell->row, field->row);
            QCOMPARE(cell->column, field->column + field->columnSpan);
        } else if (row.place.row >= 0) {
            QCOMPARE(cell->row, row.place.row);
            QCOMPARE(cell->column, row.place.column);
            QCOMPARE(cell->columnSpan, row.place.span);
        } else {
            // The group's remaining buttons close its grid.
            auto *grid = static_cast<QGridLayout *>(window->Group(row.group)->layout());
            QCOMPARE(cell->row, grid->rowCount() - 1);
        }
    }
}

void TestTablePlacement::groupsInTheirColumnsAndPages() {
    CalcWindow *window = Open();
    QVERIFY(m_window);
    if (!window || !window->PlacedFromTable()) QSKIP("the window places its units itself");
    if (!window->GroupArea()) QSKIP("the window arranges its group boxes itself");
    const WindowTable &table = window->Table();
    QTabWidget *pages = window->Pages();
    for (int g = 0; g < int(table.groups.size()); ++g) {
        const GroupRow &group = table.groups[g];
        QGroupBox *box = window->Group(g);
        QCOMPARE(box->title(), QString::fromUtf8(group.title));
        if (!group.page) {
            QVERIFY(!pages || !pages->isAncestorOf(box));
            continue;
        }
        QVERIFY(pages);
        int index = -1;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(box)) index = i;
        QVERIFY2(index >= 0, group.title);
        QCOMPARE(pages->tabText(index), QString::fromUtf8(group.page));
    }
    // On each page, and on the window itself, higher columns stand further
    // right and a column's boxes stand in table order, top down.
    const int pageCount = pages ? pages->count() : 0;
    for (int page = -1; page < pageCount; ++page) {
        if (page >= 0) pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QString caption = page >= 0 ? pages->tabText(page) : QString();
        const auto onPage = [&](const GroupRow &group) {
            return (group.page ? QString::fromUtf8(group.page) : QString()) == caption;
        };
        const auto rect = [&](int g) {
            return QRect(window->Group(g)->mapTo(window, QPoint()), window->Group(g)->size());
        };
        for (int a = 0; a < int(table.groups.size()); ++a) {
            for (int b = a + 1; b < int(table.groups.size()); ++b) {
                const GroupRow &first = table.groups[a], &second = table.groups[b];
                if (!onPage(first) || !onPage(second)) continue;
                const QByteArray pair = QByteArray(first.title) + " / " + second.title;
                if (first.column == second.column) {
                    QCOMPARE(rect(b).left(), rect(a).left());
                    QVERIFY2(rect(b).top() > rect(a).bottom(), pair.constData());
                } else if (first.column < second.column) {
                    QVERIFY2(rect(b).left() > rect(a).right(), pair.constData());
                } else {
                    QVERIFY2(rect(b).right() < rect(a).left(), pair.constData());
                }
            }
        }
    }
}

QTEST_MAIN(TestTablePlacement)
#include "test_table_placement.moc"

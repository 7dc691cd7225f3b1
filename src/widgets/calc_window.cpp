#include "widgets/calc_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/calc_form.h"
#include "core/conversions.h"
#include "core/parameter_file.h"
#include "core/report_export.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/fitted_window.h"
#include "widgets/group_box.h"
#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

QColor ToColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
Rgb ToRgb(const QColor &c) {
    return Rgb{c.red(), c.green(), c.blue()};
}

// A label shows the table's CR LF as a plain line break; a trailing one only
// made the label a line taller.
QString Shown(const char *text) {
    QString shown = U(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (shown.endsWith(u'\n')) shown.chop(1);
    return shown;
}

constexpr char kNumberMark[] = "notNumber";

// A red frame and the reason on a field a command read as 0 or in part;
// null takes the mark away.
void MarkNumber(QLineEdit *edit, const char *reason) {
    edit->setProperty(kNumberMark, reason != nullptr);
    edit->setStyleSheet(reason ? QStringLiteral("QLineEdit { border: 2px solid #d00000; }")
                               : QString());
    edit->setToolTip(reason ? QString::fromUtf8(reason) : QString());
}

}  // namespace

CalcWindow::CalcWindow(const WindowTable &table, Dialogs &dialogs, QString dataFolder,
                       Layout layout, QWidget *parent)
    : QMainWindow(parent),
      m_table(table),
      m_dialogs(dialogs),
      m_dataFolder(std::move(dataFolder)),
      m_record(*this, &table, [this] { return RecordedUnits(); }) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(table.title);
    BuildUnits();
    BuildMenu();
    if (layout != Layout::None) {
        PlaceFields();
        m_area = BuildGroupArea();
        if (layout != Layout::Groups) BuildFrame(layout == Layout::LogBelow);
    }
    WindowCreated(*this, m_table);
    m_record.RecordAll();
}

QStringList CalcWindow::RecordedUnits() const {
    QStringList units;
    for (const QWidget *unit : findChildren<QWidget *>()) {
        if (unit->objectName().isEmpty()) continue;
        if (qobject_cast<const QLineEdit *>(unit) || qobject_cast<const TextBox *>(unit) ||
            qobject_cast<const QComboBox *>(unit))
            units << unit->objectName();
    }
    return units;
}

void CalcWindow::NumberRead(QAnyStringView id, NumberText how) const {
    auto *edit = qobject_cast<QLineEdit *>(Find(id));
    if (!edit || edit->isReadOnly()) return;
    if (const FieldRow *field = FindField(m_table, id); field && field->kind != FieldKind::Input)
        return;
    if (how == NumberText::Number) {
        if (edit->property(kNumberMark).toBool()) MarkNumber(edit, nullptr);
    } else {
        MarkNumber(edit, how == NumberText::Empty ? "未填写，按0计算" : "不是有效数字，按0计算");
    }
}

bool CalcWindow::EditedSinceCalculation(QAnyStringView id) const {
    return m_record.Edited(id);
}

CalcWindow::~CalcWindow() = default;

void CalcWindow::EnterPressed(const ButtonRow &calculate) {
    if (QPushButton *button = Button(calculate.id); button && button->isEnabled()) button->click();
}

void StyleAsNote(QLabel *label) {
    SetTextColour(label, QColor(0x50, 0x50, 0x50));
}

void CalcWindow::BuildUnits() {
    auto *central = new QWidget(this);
    setCentralWidget(central);

    for (const GroupRow &group : m_table.groups) {
        auto *box = new GroupBox(group.title, central);
        new QGridLayout(box);
        m_groups.append(box);
    }

    QFont bold = font();
    bold.setBold(true);
    for (const FieldRow &field : m_table.fields) {
        QWidget *owner =
            field.group >= 0 && field.group < m_groups.size() ? m_groups[field.group] : central;
        auto *label = new TextLabel(Shown(field.label), owner);
        if (field.labelId) label->setObjectName(field.labelId);
        m_labels.insert(field.id, label);
        if (*field.hint) {
            auto *hint = new TextLabel(Shown(field.hint), owner);
            if (field.hintId) hint->setObjectName(field.hintId);
            StyleAsNote(hint);
            m_hints.insert(field.id, hint);
        }
        QWidget *unit = nullptr;
        if (field.kind == FieldKind::MultiLine) {
            auto *box = new TextBox(owner);
            box->SetRawText(field.preset);
            unit = box;
        } else {
            auto *edit = new QLineEdit(field.preset, owner);
            edit->setCursorPosition(0);
            if (field.kind == FieldKind::Result) {
                edit->setFont(bold);
                QPalette p = edit->palette();
                p.setColor(QPalette::Base, QColor(235, 235, 235));
                edit->setPalette(p);
            }
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &field] { FieldChanged(*this, m_table, field); });
            if (field.kind == FieldKind::Input) {
                connect(edit, &QLineEdit::returnPressed, this, [this, &field] {
                    if (const ButtonRow *row = CalculateButton(m_table, field.group))
                        EnterPressed(*row);
                });
                connect(edit, &QLineEdit::textChanged, this, [edit](const QString &text) {
                    if (edit->property(kNumberMark).toBool() && ReadAs(text) == NumberText::Number)
                        MarkNumber(edit, nullptr);
                });
            }
            unit = edit;
        }
        unit->setObjectName(field.id);
        if (field.grey != 0) {
            QPalette p = unit->palette();
            p.setColor(QPalette::Text, ToColor(PresetColour(field)));
            unit->setPalette(p);
        }
        unit->installEventFilter(this);
        if (*field.unit) {
            auto *unitLabel = new TextLabel(U(field.unit), owner);
            unitLabel->setObjectName(U(field.id) + kUnitSuffix);
            m_units.insert(field.id, unitLabel);
        }
    }

    for (const ButtonRow &row : m_table.buttons) {
        QWidget *owner =
            row.group >= 0 && row.group < m_groups.size() ? m_groups[row.group] : central;
        auto *button = new QPushButton(row.caption, owner);
        button->setObjectName(row.id);
        button->setAutoDefault(false);
        switch (row.role) {
            case Role::Command:
            case Role::Calculate:
                if (row.command)
                    connect(button, &QPushButton::clicked, this,
                            [this, &row] { row.command(*this); });
                else
                    button->setEnabled(false);
                break;
            case Role::Open:
                button->setEnabled(!m_table.params.empty());
                connect(button, &QPushButton::clicked, this, &CalcWindow::RunOpen);
                break;
            case Role::Save:
                button->setEnabled(!m_table.params.empty());
                connect(button, &QPushButton::clicked, this, &CalcWindow::RunSave);
                break;
            case Role::Export:
                button->setEnabled(m_table.report != nullptr);
                connect(button, &QPushButton::clicked, this, &CalcWindow::RunExport);
                break;
        }
        if (row.besideField) button->setFixedSize(24, 24);
    }

    if (m_table.logId) {
        m_log = new TextBox(central);
        m_log->setObjectName(m_table.logId);
    }
    if (m_table.noticeId) {
        m_notice = new TextLabel(m_table.noticePreset, central);
        m_notice->setObjectName(m_table.noticeId);
    }
    if (m_table.changeNoticeId &&
        (!m_table.noticeId || qstrcmp(m_table.changeNoticeId, m_table.noticeId) != 0)) {
        m_changeNotice = new TextLabel(central);
        m_changeNotice->setObjectName(m_table.changeNoticeId);
        SetTextColour(m_changeNotice, QColor(0xc0, 0, 0));
    }
    m_progress = new QProgressBar(central);
    m_progress->setObjectName(QStringLiteral("进度条1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(12);
}

void CalcWindow::BuildFrame(bool logBelow) {
    m_fileRow = new QWidget(centralWidget());
    m_fileRow->setProperty(kCommandBarProperty, true);
    auto *row = new QHBoxLayout(m_fileRow);
    row->setContentsMargins(0, 0, 0, 0);
    for (const ButtonRow &b : m_table.buttons)
        if (b.group < 0) row->addWidget(Button(b.id));
    if (m_changeNotice) row->addWidget(m_changeNotice);
    if (m_notice) row->addWidget(m_notice, 1);
    row->addWidget(m_progress, 1);

    auto *main = new QVBoxLayout(centralWidget());
    if (logBelow) {
        main->addWidget(m_area);
        if (m_log) {
            // The log takes what the groups leave, down to a few lines.
            m_log->setMinimumHeight(m_log->fontMetrics().lineSpacing() * 5);
            m_log->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
            main->addWidget(m_log, 1);
        }
    } else {
        auto *top = new QHBoxLayout;
        top->addWidget(m_area, 3);
        if (m_log) {
            m_log->setMinimumWidth(300);
            top->addWidget(m_log, 2);
        }
        main->addLayout(top, 1);
    }
    main->addWidget(m_fileRow);
}

void CalcWindow::BuildMenu() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    QAction *open = file->addAction(QStringLiteral("打开"), this, &CalcWindow::RunOpen);
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    QAction *save = file->addAction(QStringLiteral("保存"), this, &CalcWindow::RunSave);
    save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    QAction *quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    open->setEnabled(!m_table.params.empty());
    save->setEnabled(!m_table.params.empty());
}

void CalcWindow::RunOpen() {
    if (!m_table.params.empty()) OpenParameters(*this, m_table);
}

void CalcWindow::RunSave() {
    if (!m_table.params.empty()) SaveParameters(*this, m_table);
}

void CalcWindow::RunExport() {
    if (m_table.report) ExportReport(*this, *m_table.report);
}

void CalcWindow::closeEvent(QCloseEvent *event) {
    // An export handles events during its animation; closing then would
    // pull the window from under it.
    if (m_busy) {
        event->ignore();
        return;
    }
    if (!m_closing) {
        m_closing = true;
        emit closing();
    }
    event->accept();
}

bool CalcWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn) {
        if (const FieldRow *field = FindField(m_table, watched->objectName()))
            FieldFocused(*this, *field);
    }
    return QMainWindow::eventFilter(watched, event);
}

QWidget *CalcWindow::Find(QAnyStringView id) const {
    if (QAnyStringView::equal(objectName(), id)) return const_cast<CalcWindow *>(this);
    // A search of the whole tree per read made lookups the larger part of
    // building a window; a unit found once stays found while it is ours and
    // keeps its name.
    const QString name = id.toString();
    if (QWidget *known = m_found.value(name);
        known && known->objectName() == name && isAncestorOf(known))
        return known;
    QWidget *unit = findChild<QWidget *>(name);
    if (unit) m_found.insert(name, unit);
    return unit;
}

QWidget *CalcWindow::Unit(QAnyStringView id) const {
    return Find(id);
}

QGroupBox *CalcWindow::Group(int index) const {
    return m_groups.value(index);
}

QGridLayout *CalcWindow::GroupGrid(int index) const {
    QGroupBox *box = Group(index);
    return box ? static_cast<QGridLayout *>(box->layout()) : nullptr;
}

QPushButton *CalcWindow::Button(const char *id) const {
    return qobject_cast<QPushButton *>(Find(id));
}

QLabel *CalcWindow::FieldLabel(const char *fieldId) const {
    return m_labels.value(fieldId);
}

QLabel *CalcWindow::HintLabel(const char *fieldId) const {
    return m_hints.value(fieldId);
}

QString CalcWindow::Text(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (auto *edit = qobject_cast<QLineEdit *>(unit)) return edit->text();
    if (auto *box = qobject_cast<TextBox *>(unit)) return box->RawText();
    if (auto *combo = qobject_cast<QComboBox *>(unit)) return combo->currentText();
    if (auto *list = qobject_cast<QListWidget *>(unit))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return Caption(id);
}

void CalcWindow::SetText(QAnyStringView id, const QString &text) {
    QWidget *unit = Find(id);
    if (auto *edit = qobject_cast<QLineEdit *>(unit)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto *box = qobject_cast<TextBox *>(unit)) {
        box->SetRawText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(unit)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
        Written(id);
        return;
    } else {
        SetCaption(id, text);
        return;
    }
    if (const FieldRow *field = FindField(m_table, id)) FieldChanged(*this, m_table, *field);
    Written(id);
}

Rgb CalcWindow::TextColor(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (!unit) return kBlack;
    if (qobject_cast<QLabel *>(unit) || qobject_cast<QAbstractButton *>(unit))
        return ToRgb(unit->palette().color(QPalette::WindowText));
    return ToRgb(unit->palette().color(QPalette::Text));
}

void CalcWindow::SetTextColor(QAnyStringView id, Rgb colour) {
    QWidget *unit = Find(id);
    if (!unit) return;
    QPalette p = unit->palette();
    p.setColor(QPalette::Text, ToColor(colour));
    p.setColor(QPalette::WindowText, ToColor(colour));
    p.setColor(QPalette::ButtonText, ToColor(colour));
    unit->setPalette(p);
}

void CalcWindow::SetBackColor(QAnyStringView id, Rgb colour) {
    QWidget *unit = Find(id);
    if (!unit) return;
    QPalette p = unit->palette();
    if (qobject_cast<QLabel *>(unit)) {
        p.setColor(QPalette::Window, ToColor(colour));
        unit->setAutoFillBackground(true);
    }
    p.setColor(QPalette::Base, ToColor(colour));
    unit->setPalette(p);
}

QString CalcWindow::Caption(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (auto *label = qobject_cast<QLabel *>(unit)) return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(unit)) return button->text();
    if (auto *box = qobject_cast<QGroupBox *>(unit)) return box->title();
    if (unit == this) return windowTitle();
    return QString();
}

void CalcWindow::SetCaption(QAnyStringView id, const QString &text) {
    QWidget *unit = Find(id);
    if (auto *label = qobject_cast<QLabel *>(unit))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(unit))
        button->setText(text);
    else if (auto *box = qobject_cast<QGroupBox *>(unit))
        box->setTitle(text);
    else if (unit == this)
        setWindowTitle(text);
}

void CalcWindow::SetEnabled(QAnyStringView id, bool enabled) {
    if (QWidget *unit = Find(id)) unit->setEnabled(enabled);
}

void CalcWindow::SetVisible(QAnyStringView id, bool visible) {
    if (QWidget *unit = Find(id)) unit->setVisible(visible);
}

int CalcWindow::CurrentIndex(QAnyStringView id) const {
    QWidget *unit = Find(id);
    if (auto *combo = qobject_cast<QComboBox *>(unit)) return combo->currentIndex();
    if (auto *list = qobject_cast<QListWidget *>(unit)) return list->currentRow();
    if (auto *tabs = qobject_cast<QTabWidget *>(unit)) return tabs->currentIndex();
    return -1;
}

void CalcWindow::SetCurrentIndex(QAnyStringView id, int index) {
    QWidget *unit = Find(id);
    if (auto *combo = qobject_cast<QComboBox *>(unit)) {
        combo->setCurrentIndex(index);
        Written(id);
    } else if (auto *list = qobject_cast<QListWidget *>(unit)) {
        list->setCurrentRow(index);
    } else if (auto *tabs = qobject_cast<QTabWidget *>(unit)) {
        tabs->setCurrentIndex(index);
    }
}

QStringList CalcWindow::Items(QAnyStringView id) const {
    QStringList items;
    QWidget *unit = Find(id);
    if (auto *combo = qobject_cast<QComboBox *>(unit)) {
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    } else if (auto *list = qobject_cast<QListWidget *>(unit)) {
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    }
    return items;
}

void CalcWindow::SetItems(QAnyStringView id, const QStringList &items) {
    QWidget *unit = Find(id);
    if (auto *combo = qobject_cast<QComboBox *>(unit)) {
        combo->clear();
        combo->addItems(items);
        Written(id);
    } else if (auto *list = qobject_cast<QListWidget *>(unit)) {
        list->clear();
        list->addItems(items);
    }
}

bool CalcWindow::Checked(QAnyStringView id) const {
    auto *button = qobject_cast<QAbstractButton *>(Find(id));
    return button && button->isChecked();
}

void CalcWindow::SetChecked(QAnyStringView id, bool checked) {
    if (auto *button = qobject_cast<QAbstractButton *>(Find(id))) button->setChecked(checked);
}

void CalcWindow::AppendLog(const QString &text) {
    if (m_log) m_log->AppendRaw(text);
}

QString CalcWindow::LogText() const {
    return m_log ? m_log->RawText() : QString();
}

void CalcWindow::SetLogText(const QString &text) {
    if (m_log) m_log->SetRawText(text);
}

int CalcWindow::Progress() const {
    return m_progress->value();
}

void CalcWindow::SetProgress(int value) {
    m_progress->setValue(qMin(value, m_progress->maximum()));
}

void CalcWindow::SetProgressMaximum(int maximum) {
    m_progress->setMaximum(maximum);
}

BarChart *CalcWindow::Chart(QAnyStringView id) {
    auto *widget = qobject_cast<BarChartWidget *>(Find(id));
    return widget ? &widget->Chart() : nullptr;
}

void CalcWindow::SetBusy(bool busy) {
    m_busy = busy;
    for (const ButtonRow &b : m_table.buttons)
        if (b.role == Role::Export)
            if (QPushButton *button = Button(b.id)) button->setEnabled(!busy);
}

}  // namespace tunnel

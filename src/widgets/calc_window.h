#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "core/calculation_record.h"
#include "core/form.h"
#include "core/window_table.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace tunnel {

class TextBox;

inline constexpr char kUnitSuffix[] = "_单位";

// A calculation window built from its table: group boxes with labelled
// fields and hint labels, command buttons, the log box, the notice label, the
// progress bar and the "文件" menu. It is the Form the module's commands run
// on; units are found by their objectName, so a window may add units of its
// own and address them the same way.
//
// The table also says where the units stand: fields and buttons in the grids
// of their group boxes, the boxes in columns and on tab pages. A window adds
// its own units to the cells the table leaves free.
class CalcWindow : public QMainWindow, public Form, public FeedbackSink, public ExportProgress {
    Q_OBJECT
public:
    enum class Layout {
        Standard,  // the groups, the log beside them and the file row below
        LogBelow,  // the same with the log between the groups and the file row
        Groups,    // the groups in GroupArea(); the window places the area, the
                   // log, the notice, the bar and the file buttons
        None,      // nothing; the window places the units, PlaceFields() those
                   // the table places
    };

    CalcWindow(const WindowTable &table, Dialogs &dialogs, QString dataFolder,
               Layout layout = Layout::Standard, QWidget *parent = nullptr);
    ~CalcWindow() override;

    const WindowTable &Table() const { return m_table; }
    // Whether the table's places put the fields into the group grids.
    bool PlacedFromTable() const { return m_placed; }

    // Form
    QString Text(QAnyStringView id) const override;
    void SetText(QAnyStringView id, const QString &text) override;
    Rgb TextColor(QAnyStringView id) const override;
    void SetTextColor(QAnyStringView id, Rgb colour) override;
    void SetBackColor(QAnyStringView id, Rgb colour) override;
    QString Caption(QAnyStringView id) const override;
    void SetCaption(QAnyStringView id, const QString &text) override;
    void SetEnabled(QAnyStringView id, bool enabled) override;
    void SetVisible(QAnyStringView id, bool visible) override;
    int CurrentIndex(QAnyStringView id) const override;
    void SetCurrentIndex(QAnyStringView id, int index) override;
    QStringList Items(QAnyStringView id) const override;
    void SetItems(QAnyStringView id, const QStringList &items) override;
    bool Checked(QAnyStringView id) const override;
    void SetChecked(QAnyStringView id, bool checked) override;
    BarChart *Chart(QAnyStringView id) override;
    bool EditedSinceCalculation(QAnyStringView id) const override;
    // An input that did not read whole gets a red frame and a tooltip
    // saying it counted as 0, until its text is a number.
    void NumberRead(QAnyStringView id, NumberText how) const override;
    void LoadStarted() override { m_record.LoadStarted(); }
    void LoadFinished(const QStringList &restored) override { m_record.LoadFinished(restored); }
    Dialogs &DialogService() override { return m_dialogs; }
    QString DataFolder() const override { return m_dataFolder; }
    FeedbackSink *Feedback() override { return this; }
    const FeedbackSink *Feedback() const override { return this; }
    ExportProgress *ExportBar() override { return this; }
    const ExportProgress *ExportBar() const override { return this; }

    // FeedbackSink: the log box, where the table names one; busy disables
    // the export buttons.
    void AppendLog(const QString &text) override;
    QString LogText() const override;
    void SetLogText(const QString &text) override;
    void SetBusy(bool busy) override;

    // ExportProgress
    int Progress() const override;
    void SetProgress(int value) override;
    void SetProgressMaximum(int maximum) override;

    // Units of the standard form, for windows that lay them out themselves.
    QGroupBox *Group(int index) const;
    // The grid of the group box, which the table's units stand in.
    QGridLayout *GroupGrid(int index) const;
    QWidget *Unit(QAnyStringView id) const;
    QPushButton *Button(const char *id) const;
    QLabel *FieldLabel(const char *fieldId) const;
    // The label beside the box showing the field's unit; null for a field
    // without one. Its objectName is the field's with kUnitSuffix.
    QLabel *UnitLabel(const char *fieldId) const { return m_units.value(fieldId); }
    // The label showing the field's hint; null for a field without one.
    QLabel *HintLabel(const char *fieldId) const;
    // The group boxes in their columns and pages, for Layout::Groups and
    // the layouts that include it; null otherwise.
    QWidget *GroupArea() const { return m_area; }
    // The tab control of the groups' pages; null when no group has a page.
    QTabWidget *Pages() const { return m_pages; }
    TextBox *LogBox() const { return m_log; }
    QLabel *NoticeLabel() const { return m_notice; }
    QProgressBar *ProgressBar() const { return m_progress; }

    // Runs a button's action as a click would.
    void RunOpen();
    void RunSave();
    void RunExport();

signals:
    // Emitted when the window is about to go; the shell restores itself.
    void closing();

protected:
    // Enter in an input field: presses the calculate button of its group.
    virtual void EnterPressed(const ButtonRow &calculate);
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Puts every field, its label and hint and every group button into the
    // grid of its group box as the table places them; the group's remaining
    // buttons go into a row under everything its grid holds by then. Runs
    // once, from the constructor unless the layout is None.
    void PlaceFields();

private:
    void BuildUnits();
    QWidget *BuildGroupArea();
    QLayout *GroupColumns(const char *page);
    void BuildFrame(bool logBelow);
    void BuildMenu();
    QWidget *Find(QAnyStringView id) const;
    // The units whose texts the record keeps.
    QStringList RecordedUnits() const;
    void Written(QAnyStringView id) { m_record.Written(id); }

    const WindowTable &m_table;
    Dialogs &m_dialogs;
    QString m_dataFolder;
    QList<QGroupBox *> m_groups;
    QWidget *m_area = nullptr;
    QTabWidget *m_pages = nullptr;
    QHash<QString, QLabel *> m_labels;
    QHash<QString, QLabel *> m_hints;
    QHash<QString, QLabel *> m_units;
    mutable QHash<QString, QPointer<QWidget>> m_found;
    TextBox *m_log = nullptr;
    QLabel *m_notice = nullptr;
    QLabel *m_changeNotice = nullptr;
    QProgressBar *m_progress = nullptr;
    QWidget *m_fileRow = nullptr;
    bool m_closing = false;
    bool m_placed = false;
    bool m_busy = false;
    CalculationRecord m_record;
};

// Greys the label as the hints and notes beside the fields are.
void StyleAsNote(QLabel *label);

}  // namespace tunnel

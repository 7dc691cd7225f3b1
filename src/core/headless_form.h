#pragma once

#include <QHash>
#include <QList>

#include "core/bar_chart.h"
#include "core/calculation_record.h"
#include "core/form.h"
#include "core/window_table.h"

namespace tunnel {

// A window without widgets, for runs of a window's commands and reports
// without a screen (tests, benchmarks): units are entries of hash tables.
// Given a window table it starts with the presets and reacts to changes as
// the calculation window does: colours and notices, drop-down texts, and the
// record of what the results were computed from.
class HeadlessForm : public Form, public FeedbackSink, public ExportProgress {
public:
    HeadlessForm(QString dataFolder, const WindowTable *table, Dialogs &dialogs);

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
    // A unit given items is a drop-down list: its text is the current item's,
    // and setting its text selects the item of that text.
    int CurrentIndex(QAnyStringView id) const override;
    void SetCurrentIndex(QAnyStringView id, int index) override;
    QStringList Items(QAnyStringView id) const override;
    void SetItems(QAnyStringView id, const QStringList &items) override;
    bool Checked(QAnyStringView id) const override;
    void SetChecked(QAnyStringView id, bool checked) override;
    // Charts spring into being on first use.
    BarChart *Chart(QAnyStringView id) override;
    QByteArray Picture(QAnyStringView id) override;
    bool EditedSinceCalculation(QAnyStringView id) const override;
    void LoadStarted() override { m_record.LoadStarted(); }
    void LoadFinished(const QStringList &restored) override { m_record.LoadFinished(restored); }
    Dialogs &DialogService() override { return m_dialogs; }
    QString DataFolder() const override { return m_folder; }
    FeedbackSink *Feedback() override { return this; }
    const FeedbackSink *Feedback() const override { return this; }
    ExportProgress *ExportBar() override { return this; }
    const ExportProgress *ExportBar() const override { return this; }

    // FeedbackSink
    void AppendLog(const QString &text) override { m_log += text; }
    QString LogText() const override { return m_log; }
    void SetLogText(const QString &text) override { m_log = text; }
    void SetBusy(bool busy) override { busyChanges << busy; }

    // ExportProgress
    int Progress() const override { return m_progress; }
    void SetProgress(int value) override { m_progress = qMin(value, m_maximum); }
    void SetProgressMaximum(int maximum) override { m_maximum = maximum; }

    // Types a text into an input field as a user would: the change reactions
    // run, and the record is not told.
    void Type(QAnyStringView id, const QString &text);

    // What the commands did to the units, for whoever runs them.
    QHash<QString, Rgb> backColours;
    QHash<QString, bool> enabledUnits;
    QHash<QString, bool> visibleUnits;
    QList<bool> busyChanges;
    QHash<QString, BarChart> charts;
    QHash<QString, QByteArray> pictures;

private:
    QStringList RecordedUnits() const;

    QString m_folder;
    const WindowTable *m_table;
    Dialogs &m_dialogs;
    QHash<QString, QString> m_texts;
    QHash<QString, Rgb> m_colours;
    QHash<QString, QString> m_captions;
    QHash<QString, int> m_indices;
    QHash<QString, QStringList> m_items;
    QHash<QString, bool> m_checked;
    QString m_log;
    int m_progress = 0;
    int m_maximum = 100;
    CalculationRecord m_record;
};

}  // namespace tunnel

#pragma once

#include <QHash>

#include "support/scripted_dialogs.h"
#include "ui/bar_chart.h"
#include "ui/form.h"
#include "ui/window_table.h"

namespace tunnel::test {

// A form without widgets: units are entries of hash tables. Given a window
// table, it starts with the presets and reacts to changes as a window does.
class MemoryForm : public Form {
public:
    explicit MemoryForm(QString programFolder, const WindowSpec *table = nullptr);

    QString Text(const QString &id) const override { return m_texts.value(id); }
    void SetText(const QString &id, const QString &text) override;
    Rgb TextColor(const QString &id) const override { return m_colours.value(id, kBlack); }
    void SetTextColor(const QString &id, Rgb colour) override { m_colours[id] = colour; }
    void SetBackColor(const QString &id, Rgb colour) override { backColours[id] = colour; }
    QString Caption(const QString &id) const override { return m_captions.value(id); }
    void SetCaption(const QString &id, const QString &text) override { m_captions[id] = text; }
    void SetEnabled(const QString &id, bool enabled) override { enabledUnits[id] = enabled; }
    void SetVisible(const QString &id, bool visible) override { visibleUnits[id] = visible; }
    int CurrentIndex(const QString &id) const override { return m_indices.value(id, -1); }
    void SetCurrentIndex(const QString &id, int index) override { m_indices[id] = index; }
    QStringList Items(const QString &id) const override { return m_items.value(id); }
    void SetItems(const QString &id, const QStringList &items) override { m_items[id] = items; }
    bool Checked(const QString &id) const override { return m_checked.value(id); }
    void SetChecked(const QString &id, bool checked) override { m_checked[id] = checked; }
    void AppendLog(const QString &text) override { m_log += text; }
    QString LogText() const override { return m_log; }
    void SetLogText(const QString &text) override { m_log = text; }
    int Progress() const override { return m_progress; }
    void SetProgress(int value) override { m_progress = qMin(value, m_maximum); }
    void SetProgressMaximum(int maximum) override { m_maximum = maximum; }
    // Charts spring into being on first use.
    BarChart *Chart(const QString &id) override { return &charts[id]; }
    void SetBusy(bool busy) override { busyChanges << busy; }
    QByteArray Picture(const QString &id) override { return pictures.value(id); }
    Dialogs &dialogs() override { return scripted; }
    QString ProgramFolder() const override { return m_folder; }

    ScriptedDialogs scripted;
    QHash<QString, Rgb> backColours;
    QHash<QString, bool> enabledUnits;
    QHash<QString, bool> visibleUnits;
    QList<bool> busyChanges;
    QHash<QString, BarChart> charts;
    QHash<QString, QByteArray> pictures;

private:
    QString m_folder;
    const WindowSpec *m_table;
    QHash<QString, QString> m_texts;
    QHash<QString, Rgb> m_colours;
    QHash<QString, QString> m_captions;
    QHash<QString, int> m_indices;
    QHash<QString, QStringList> m_items;
    QHash<QString, bool> m_checked;
    QString m_log;
    int m_progress = 0;
    int m_maximum = 100;
};

}  // namespace tunnel::test

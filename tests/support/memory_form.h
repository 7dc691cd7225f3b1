#pragma once

#include <QHash>

#include "core/bar_chart.h"
#include "core/form.h"
#include "core/window_table.h"
#include "support/scripted_dialogs.h"

namespace tunnel::test {

// A form without widgets: units are entries of hash tables. Given a window
// table, it starts with the presets and reacts to changes as a window does.
class MemoryForm : public Form {
public:
    explicit MemoryForm(QString programFolder, const WindowTable *table = nullptr);

    QString Text(QAnyStringView id) const override { return m_texts.value(id.toString()); }
    void SetText(QAnyStringView id, const QString &text) override;
    Rgb TextColor(QAnyStringView id) const override {
        return m_colours.value(id.toString(), kBlack);
    }
    void SetTextColor(QAnyStringView id, Rgb colour) override { m_colours[id.toString()] = colour; }
    void SetBackColor(QAnyStringView id, Rgb colour) override {
        backColours[id.toString()] = colour;
    }
    QString Caption(QAnyStringView id) const override { return m_captions.value(id.toString()); }
    void SetCaption(QAnyStringView id, const QString &text) override {
        m_captions[id.toString()] = text;
    }
    void SetEnabled(QAnyStringView id, bool enabled) override {
        enabledUnits[id.toString()] = enabled;
    }
    void SetVisible(QAnyStringView id, bool visible) override {
        visibleUnits[id.toString()] = visible;
    }
    int CurrentIndex(QAnyStringView id) const override {
        return m_indices.value(id.toString(), -1);
    }
    void SetCurrentIndex(QAnyStringView id, int index) override {
        m_indices[id.toString()] = index;
    }
    QStringList Items(QAnyStringView id) const override { return m_items.value(id.toString()); }
    void SetItems(QAnyStringView id, const QStringList &items) override {
        m_items[id.toString()] = items;
    }
    bool Checked(QAnyStringView id) const override { return m_checked.value(id.toString()); }
    void SetChecked(QAnyStringView id, bool checked) override {
        m_checked[id.toString()] = checked;
    }
    void AppendLog(const QString &text) override { m_log += text; }
    QString LogText() const override { return m_log; }
    void SetLogText(const QString &text) override { m_log = text; }
    int Progress() const override { return m_progress; }
    void SetProgress(int value) override { m_progress = qMin(value, m_maximum); }
    void SetProgressMaximum(int maximum) override { m_maximum = maximum; }
    // Charts spring into being on first use.
    BarChart *Chart(QAnyStringView id) override { return &charts[id.toString()]; }
    void SetBusy(bool busy) override { busyChanges << busy; }
    QByteArray Picture(QAnyStringView id) override { return pictures.value(id.toString()); }
    Dialogs &DialogService() override { return scripted; }
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
    const WindowTable *m_table;
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

#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

class BarChart;
class Dialogs;
enum class NumberText;

// An RGB colour; the core has no QColor.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

// Where a window's commands report what they did: the log box, and the
// export buttons disabled while an export runs.
class FeedbackSink {
public:
    // Appends at the end and scrolls there.
    virtual void AppendLog(const QString &text) = 0;
    virtual QString LogText() const = 0;
    // Replaces the whole log.
    virtual void SetLogText(const QString &text) = 0;
    // Disables (busy) or enables the window's export buttons.
    virtual void SetBusy(bool busy) = 0;
    // Appends a line that warns (a failed check), shown dark red where the
    // log has colours.
    virtual void AppendWarning(const QString &text) { AppendLog(text); }

protected:
    ~FeedbackSink() = default;
};

// The progress bar of the report export.
class ExportProgress {
public:
    virtual int Progress() const = 0;
    virtual void SetProgress(int value) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;

protected:
    ~ExportProgress() = default;
};

// What a command sees of its window: the units addressed by their unit names
// (the objectNames of the widgets). Setting a field's text counts as a change
// of that field, exactly as typing does, so grey presets turn black and change
// notices fire. A window without a log or a progress bar answers null to
// Feedback() or ExportBar(), and what is sent there goes nowhere.
class Form {
public:
    virtual ~Form() = default;

    // Edit boxes (single or multi-line), drop-down lists (their current
    // text), else captions.
    virtual QString Text(QAnyStringView id) const = 0;
    virtual void SetText(QAnyStringView id, const QString &text) = 0;

    // Captions of labels, buttons, group boxes and check boxes.
    virtual QString Caption(QAnyStringView id) const = 0;
    virtual void SetCaption(QAnyStringView id, const QString &text) = 0;

    virtual void SetEnabled(QAnyStringView id, bool enabled) = 0;
    virtual void SetVisible(QAnyStringView id, bool visible) = 0;

    // Drop-down lists and list boxes; -1 is no selection.
    virtual int CurrentIndex(QAnyStringView id) const = 0;
    virtual void SetCurrentIndex(QAnyStringView id, int index) = 0;
    virtual QStringList Items(QAnyStringView id) const = 0;
    virtual void SetItems(QAnyStringView id, const QStringList &items) = 0;

    virtual Dialogs &DialogService() = 0;
    // The root of Data and of the export folder: beside the executable for a
    // portable copy, in the user's documents for an installed one.
    virtual QString DataFolder() const = 0;

    // Text colours of edit boxes and labels, and background colours; a form
    // without colours reads black.
    virtual Rgb TextColor(QAnyStringView id) const {
        Q_UNUSED(id);
        return kBlack;
    }
    virtual void SetTextColor(QAnyStringView id, Rgb colour) {
        Q_UNUSED(id);
        Q_UNUSED(colour);
    }
    virtual void SetBackColor(QAnyStringView id, Rgb colour) {
        Q_UNUSED(id);
        Q_UNUSED(colour);
    }

    // Check boxes and radio buttons; a form without any reads unchecked.
    virtual bool Checked(QAnyStringView id) const {
        Q_UNUSED(id);
        return false;
    }
    virtual void SetChecked(QAnyStringView id, bool checked) {
        Q_UNUSED(id);
        Q_UNUSED(checked);
    }

    // The bar chart unit of that name, or null when the window has none.
    virtual BarChart *Chart(QAnyStringView id) {
        Q_UNUSED(id);
        return nullptr;
    }

    // A picture the window draws for its report, as PNG bytes; empty when
    // it has none (the report then goes without it).
    virtual QByteArray Picture(QAnyStringView id) {
        Q_UNUSED(id);
        return {};
    }

    // Whether the unit's text differs from what it was when results were
    // last written. Forms that do not keep track answer false.
    virtual bool EditedSinceCalculation(QAnyStringView id) const {
        Q_UNUSED(id);
        return false;
    }

    // A command read the unit's text as a number, and this is how it read
    // (conversions.h); a window marks texts that did not read whole.
    virtual void NumberRead(QAnyStringView id, NumberText how) const {
        Q_UNUSED(id);
        Q_UNUSED(how);
    }

    // Bracket the writes of a parameter file's load, which are the file's and
    // not a calculation's; restored names the result units the file held.
    virtual void LoadStarted() {}
    virtual void LoadFinished(const QStringList &restored) { Q_UNUSED(restored); }

    // The log and busy state, and the export's progress bar; null where the
    // window has none.
    virtual FeedbackSink *Feedback() { return nullptr; }
    virtual const FeedbackSink *Feedback() const { return nullptr; }
    virtual ExportProgress *ExportBar() { return nullptr; }
    virtual const ExportProgress *ExportBar() const { return nullptr; }

    // The feedback sink's and progress bar's operations, doing nothing (or
    // reading empty) where the window has none.
    void AppendLog(const QString &text) {
        if (FeedbackSink *sink = Feedback()) sink->AppendLog(text);
    }
    QString LogText() const {
        const FeedbackSink *sink = Feedback();
        return sink ? sink->LogText() : QString();
    }
    void SetLogText(const QString &text) {
        if (FeedbackSink *sink = Feedback()) sink->SetLogText(text);
    }
    void SetBusy(bool busy) {
        if (FeedbackSink *sink = Feedback()) sink->SetBusy(busy);
    }
    int Progress() const {
        const ExportProgress *bar = ExportBar();
        return bar ? bar->Progress() : 0;
    }
    void SetProgress(int value) {
        if (ExportProgress *bar = ExportBar()) bar->SetProgress(value);
    }
    void SetProgressMaximum(int maximum) {
        if (ExportProgress *bar = ExportBar()) bar->SetProgressMaximum(maximum);
    }
};

}  // namespace tunnel

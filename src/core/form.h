#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

class BarChart;
class Dialogs;

// An RGB colour; the core has no QColor.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

// What a command sees of its window: the units addressed by their unit names
// (the objectNames of the widgets). Setting a field's text counts as a change
// of that field, exactly as typing does, so grey presets turn black and change
// notices fire.
class Form {
public:
    virtual ~Form() = default;

    // Edit boxes (single or multi-line).
    virtual QString Text(QAnyStringView id) const = 0;
    virtual void SetText(QAnyStringView id, const QString &text) = 0;
    virtual Rgb TextColor(QAnyStringView id) const = 0;
    virtual void SetTextColor(QAnyStringView id, Rgb colour) = 0;
    virtual void SetBackColor(QAnyStringView id, Rgb colour) = 0;

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

    // Check boxes and radio buttons.
    virtual bool Checked(QAnyStringView id) const = 0;
    virtual void SetChecked(QAnyStringView id, bool checked) = 0;

    // The log box: append at the end and scroll there, or replace it all.
    virtual void AppendLog(const QString &text) = 0;
    virtual QString LogText() const = 0;
    virtual void SetLogText(const QString &text) = 0;

    // The progress bar of the report export.
    virtual int Progress() const = 0;
    virtual void SetProgress(int value) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;

    // The bar chart unit of that name, or null when the window has none.
    virtual BarChart *Chart(QAnyStringView id) = 0;

    // Enables or disables the window's command buttons while an export runs.
    virtual void SetBusy(bool busy) = 0;

    // A picture the window draws for its report, as PNG bytes; empty when
    // it has none (the report then goes without it).
    virtual QByteArray Picture(QAnyStringView id) {
        Q_UNUSED(id);
        return {};
    }

    // Whether the unit's text differs from what it was when results were
    // last written (a calculation or an opened parameter file). Forms that
    // do not keep track answer false.
    virtual bool EditedSinceCalculation(QAnyStringView id) const {
        (void)id;
        return false;
    }

    virtual Dialogs &DialogService() = 0;
    // Folder of the executable: root of Data and the export folder.
    virtual QString ProgramFolder() const = 0;
};

}  // namespace tunnel

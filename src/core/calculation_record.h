#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace tunnel {

class Form;
struct WindowTable;

// The texts a window's units held when its results were last written: what
// the check before an export compares with, to find results whose inputs
// have changed since. Windows and the headless form keep one each, so the
// rule cannot differ between them.
class CalculationRecord {
public:
    // The names of the units whose texts count (edit boxes, drop-down lists).
    using UnitList = std::function<QStringList()>;

    CalculationRecord(const Form &form, const WindowTable *table, UnitList units);

    // Takes every unit's text as consistent with the results.
    void RecordAll();
    // After a command set a unit: a result written makes the whole form
    // consistent, any other unit only itself. Writes during a load count
    // for nothing.
    void Written(QAnyStringView id);
    // A parameter file's load: what it changes is new and the results on
    // screen are old, so changed inputs read as edited. Only in a group whose
    // every result the file restored do the inputs it changed count as
    // consistent; one it left as it was keeps its state.
    void LoadStarted();
    void LoadFinished(const QStringList &restored);
    // Whether the unit's text differs from the one recorded; a unit never
    // recorded has not been edited.
    bool Edited(QAnyStringView id) const;

private:
    const Form &m_form;
    const WindowTable *m_table;
    UnitList m_units;
    QHash<QString, QString> m_texts;
    bool m_loading = false;
    QHash<QString, QString> m_beforeLoad;
};

}  // namespace tunnel

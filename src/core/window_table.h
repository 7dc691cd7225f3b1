#pragma once

#include <QAnyStringView>
#include <QString>
#include <span>
#include <string_view>

namespace tunnel {

class DocxDocument;
class Form;

using Command = void (*)(Form &);

// What a change of a field does.
enum class Change {
    None,             // nothing
    Colour,           // a grey preset turns black
    Notice,           // the change notice is shown
    ColourAndNotice,  // both
};

enum class FieldKind {
    Input,      // editable edit box
    Result,     // read-only result box (bold on light grey)
    MultiLine,  // read-only multi-line box
};

// Where a field's label stands.
enum class LabelAt {
    Left,    // in the grid column before the box
    Above,   // in the grid row above the box, as a column heading
    Hidden,  // not shown: a heading above names the column
};

// Where a field's hint stands.
enum class HintAt {
    Right,  // after the box, and after the column of small buttons in a group with one
    Below,  // under the box, which leaves a long hint the width of its column
};

// Where a field or a button stands in the grid of its group box. A row that
// sets none follows the group's previous field as label | box | hint, or
// label | box | small button | hint in a group with small buttons.
struct Place {
    int row = -1;    // grid row; -1: the row after the previous field
    int column = 0;  // first grid column the unit takes
    int span = 1;    // grid columns the box (or button) spans
    LabelAt label = LabelAt::Left;
    HintAt hint = HintAt::Right;
};

// One edit box of a window. Texts are UTF-8 literals.
struct FieldRow {
    const char *id;
    const char *label;
    const char *preset = "";
    int grey = 0;  // preset colour: 0 black, 128 or 192 grey
    const char *hint = "";
    const char *focusHint = "";
    Change change = Change::None;
    int group = 0;
    FieldKind kind = FieldKind::Input;
    Command onChange = nullptr;     // runs after the colour and notice rules
    const char *labelId = nullptr;  // unit name of the label, where a command changes it
    const char *hintId = nullptr;   // unit name of the hint label, where one is addressed
    Place place = {};
};

// A plain read-only result box of a group; every other row is written with
// designated initialisers so that it reads as what it sets.
constexpr FieldRow ResultField(const char *id, const char *label, int group, Place place = {}) {
    return FieldRow{
        .id = id, .label = label, .group = group, .kind = FieldKind::Result, .place = place};
}

// A group box. Boxes stand in columns, left to right, each column top down
// in table order; boxes with a page stand on that tab page, under the boxes
// without one.
struct GroupRow {
    const char *title;
    const char *page = nullptr;  // caption of its tab page; null: on the window itself
    int column = 0;              // column of boxes on its page or window
};

enum class Role {
    Command,  // runs its command; disabled without one
    Open,     // opens the parameter file
    Save,     // saves the parameter file
    Export,   // exports the report
};

// A button of the window.
struct ButtonRow {
    const char *id;
    const char *caption;
    int group;  // -1: the window's file button row
    Command command = nullptr;
    Role role = Role::Command;
    const char *besideField = nullptr;  // a small button placed after this field
    // A row of 0 or more puts the button into that grid cell of its group,
    // right-aligned after the cell's earlier buttons; else it joins the
    // group's buttons in a row under everything else.
    Place place = {};
};

// One parameter file item: section, key and the field whose text it holds.
struct ParamKey {
    const char *section;
    const char *key;
    const char *field;
};

// What a report row prints, for the check before an export.
enum class Printed {
    Input,   // must not have been edited since the last calculation
    Result,  // must be filled
    Text,    // not checked
};

// One row of a report's replacement sequence.
struct ReportRow {
    const char *placeholder;
    const char *field;  // source field, or null when value is set
    int passes;
    const char *noticeAfter = nullptr;         // notice label text after this row
    QString (*value)(const Form &) = nullptr;  // computed replacement text
    const char *noticeBefore = nullptr;        // notice label text before this row
    const char *logBefore = nullptr;           // appended to the log before noticeBefore
    Printed printed = Printed::Input;
    const char *requiredWith = nullptr;  // a result needed only when this field is filled
};

enum class Animation {
    Reset,           // wait 500 ms, bar back to 0
    DoneNotice,      // wait 500 ms, "导出完成！", bar back to 0
    DownloadNotice,  // wait 500 ms, "下载完成  ", bar back to 0
    None,            // no end action, no waits
};

struct ReportTable {
    const char *templateName;  // resource name under :/templates/, without .docx
    const char *outputName;    // file name in the export folder
    const char *noticeId;      // label for the notices and the animation
    const char *preparingNotice;
    const char *startLog;     // appended before the first countdown notice; null for none
    const char *firstNotice;  // null for none
    std::span<const ReportRow> rows;
    Animation animation;
    const char *completionLog;  // null for none
    const char *completionMessage;
    int pauseAfterSave = 0;           // ms paused after the file is written, before the animation
    const char *finishLog = nullptr;  // appended after the last row, before the file is written
    const char *animationNotice = nullptr;  // notice label text set before the animation
    const char *finishNotice = nullptr;     // notice label text after finishLog
    bool completionLogLast = false;         // completion line after the message box
    // Adds to the filled document (pictures, tables) before it is written.
    void (*finish)(Form &, DocxDocument &) = nullptr;
    // Runs on the opened template before the rows, e.g. to drop table rows.
    void (*prepare)(const Form &, DocxDocument &) = nullptr;
};

// The declarative description of a calculation window built by the shared form.
struct WindowTable {
    const char *title;
    const char *logId = nullptr;  // null: no log box
    const char *noticeId = nullptr;
    const char *noticePreset = "";
    const char *changeNoticeId = nullptr;
    const char *changeNotice = "";
    std::span<const GroupRow> groups;
    std::span<const FieldRow> fields;
    std::span<const ButtonRow> buttons;
    std::span<const char *const> creationLog;
    std::span<const ParamKey> params;
    const ReportTable *report = nullptr;
    const char *openDefaultExtension = "";  // most windows set none for opening
};

// Whether the table lists id as a result (or multi-line result) box; lets a
// module's report rows take what they print from its field table.
constexpr bool IsResultField(std::span<const FieldRow> fields, std::string_view id) {
    for (const FieldRow &field : fields)
        if (id == field.id) return field.kind != FieldKind::Input;
    return false;
}

// The row marked as printing a result or an input as its field's table says.
constexpr ReportRow Classified(ReportRow row, std::span<const FieldRow> fields) {
    if (row.field && IsResultField(fields, row.field)) row.printed = Printed::Result;
    return row;
}

inline QString U(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// The field row of a window table with this id, or null.
const FieldRow *FindField(const WindowTable &table, QAnyStringView id);

}  // namespace tunnel

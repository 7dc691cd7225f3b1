#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <array>
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

// The values a field may take, and the code that sets them; the checks of a
// calculation read it.
struct Range {
    double min;
    double max;
    const char *code = nullptr;  // e.g. "GB 6722-2014"
};

// One edit box of a window. Texts are UTF-8 literals.
struct FieldRow {
    const char *id;
    const char *label;
    const char *unit = "";  // shown beside the box, e.g. "m3/min"
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
    const Range *range = nullptr;  // null: any value
};

// A plain read-only result box of a group; every other row is written with
// designated initialisers so that it reads as what it sets.
constexpr FieldRow ResultField(const char *id, const char *label, int group, Place place = {}) {
    return FieldRow{
        .id = id, .label = label, .group = group, .kind = FieldKind::Result, .place = place};
}

// The same with a unit beside the box.
constexpr FieldRow ResultField(const char *id, const char *label, const char *unit, int group,
                               Place place = {}) {
    return FieldRow{.id = id,
                    .label = label,
                    .unit = unit,
                    .group = group,
                    .kind = FieldKind::Result,
                    .place = place};
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
    Command,    // runs its command; disabled without one
    Calculate,  // a command that Enter in a field of its group (else of the window) runs
    Open,       // opens the parameter file
    Save,       // saves the parameter file
    Export,     // exports the report
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

// How a parameter file item holds its field.
enum class Stored {
    Text,         // the field's text
    Index,        // a drop-down's selected index; one outside the list selects nothing
    IndexOrLast,  // the same, but one past the end selects the last item
};

// One parameter file item: section, key and the field it holds.
struct ParamKey {
    const char *section;
    const char *key;
    const char *field;
    Stored stored = Stored::Text;
    // For a drop-down added after files were written without its key: the
    // index it takes when the file holds no value for it. -1: read the empty
    // value as stored.
    int absentIndex = -1;
};

// What a Fill step prints, for the check before an export.
enum class Printed {
    Input,   // must not have been edited since the last calculation
    Result,  // must be filled
    Text,    // not checked
};

// The progress bar animation: the bar runs to 100 % with "已导出 n%" on the
// notice label, then:
enum class Animation {
    Reset,           // wait 500 ms, bar back to 0
    DoneNotice,      // wait 500 ms, "导出完成！", bar back to 0
    DownloadNotice,  // wait 500 ms, "下载完成  ", bar back to 0
    NoWaits,         // nothing, and the bar runs without waits
};

// What a step of a report's run does.
enum class StepKind {
    Notice,      // sets the report's notice label to text
    Log,         // appends text to the window's log
    Fill,        // replaces a placeholder of the document in memory
    Document,    // adds the project information, the entry time and the finish hook's
                 // parts, saves the document and writes it atomically; a failure (the
                 // template's too) shows the failure message and ends the run
    Pause,       // pauses ms
    Animation,   // runs the progress bar animation on the notice label
    Message,     // shows text in a message box
    OpenFolder,  // shows the export folder
};

// One placeholder of a report and what replaces it.
struct ReportFill {
    const char *placeholder;
    const char *field;  // whose text replaces it, and which the check before an export reads
    int passes;         // occurrences replaced
    QString (*value)(const Form &) = nullptr;  // computed replacement text instead
    Printed printed = Printed::Input;
    const char *requiredWith = nullptr;  // a result needed only when this field is filled
};

// One step of a report's run; the helpers below write each kind.
struct ReportStep {
    StepKind kind;
    const char *text = nullptr;              // Notice, Log, Message
    ReportFill fill = {};                    // Fill
    int ms = 0;                              // Pause
    Animation animation = Animation::Reset;  // Animation
};

constexpr ReportStep Notice(const char *text) {
    return ReportStep{.kind = StepKind::Notice, .text = text};
}

constexpr ReportStep Log(const char *text) {
    return ReportStep{.kind = StepKind::Log, .text = text};
}

constexpr ReportStep Fill(ReportFill fill) {
    return ReportStep{.kind = StepKind::Fill, .fill = fill};
}

// How many occurrences of a placeholder a Fill step replaces.
struct Occurrences {
    int count;
};

// A placeholder that is its field's id.
constexpr ReportStep Fill(const char *field, Occurrences passes, Printed printed = Printed::Input) {
    return Fill(ReportFill{
        .placeholder = field, .field = field, .passes = passes.count, .printed = printed});
}

// A placeholder that is its field's id, replaced with a text computed from the field.
constexpr ReportStep Fill(const char *field, Occurrences passes, QString (*value)(const Form &)) {
    return Fill(
        ReportFill{.placeholder = field, .field = field, .passes = passes.count, .value = value});
}

constexpr ReportStep WriteDocument() {
    return ReportStep{.kind = StepKind::Document};
}

constexpr ReportStep Pause(int ms) {
    return ReportStep{.kind = StepKind::Pause, .ms = ms};
}

constexpr ReportStep Animate(Animation variant) {
    return ReportStep{.kind = StepKind::Animation, .animation = variant};
}

constexpr ReportStep Message(const char *text) {
    return ReportStep{.kind = StepKind::Message, .text = text};
}

constexpr ReportStep OpenFolder() {
    return ReportStep{.kind = StepKind::OpenFolder};
}

// A report: the template filled in memory by its steps, played in order
// after the export's questions and the export folder's creation.
struct ReportTable {
    const char *templateName;  // resource name under :/templates/, without .docx
    const char *outputName;    // file name in the export folder
    const char *noticeId;      // label of the Notice steps and the animation
    std::span<const ReportStep> steps;
    // Runs on the opened template before the steps, e.g. to drop table rows.
    void (*prepare)(const Form &, DocxDocument &) = nullptr;
    // Adds to the filled document (pictures, tables) in the Document step.
    void (*finish)(Form &, DocxDocument &) = nullptr;
    // The checks that failed for the results on the form (code_checks.h);
    // the Document step prints them in the section "校核". Null: the report
    // has no such section.
    QStringList (*checks)(const Form &) = nullptr;
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
    Command beforeOpen = nullptr;           // runs before a parameter file's items are set
    const char *openedLog = nullptr;        // appended once a parameter file is opened
    const char *savedLog = nullptr;         // appended once a parameter file is saved
};

// Whether the table lists id as a result (or multi-line result) box; lets a
// module's report steps take what they print from its field table.
constexpr bool IsResultField(std::span<const FieldRow> fields, std::string_view id) {
    for (const FieldRow &field : fields)
        if (id == field.id) return field.kind != FieldKind::Input;
    return false;
}

// The step, when it fills in a field the table lists as a result, marked as
// printing a result.
constexpr ReportStep Classified(ReportStep step, std::span<const FieldRow> fields) {
    if (step.kind == StepKind::Fill && step.fill.printed == Printed::Input && step.fill.field &&
        IsResultField(fields, step.fill.field))
        step.fill.printed = Printed::Result;
    return step;
}

// A report's steps, each classified by the window's field table.
template <std::size_t N>
constexpr std::array<ReportStep, N> Classified(std::array<ReportStep, N> steps,
                                               std::span<const FieldRow> fields) {
    for (ReportStep &step : steps) step = Classified(step, fields);
    return steps;
}

inline QString U(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// The field row of a window table with this id, or null.
const FieldRow *FindField(const WindowTable &table, QAnyStringView id);

}  // namespace tunnel

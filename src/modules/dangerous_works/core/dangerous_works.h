#pragma once

#include <span>

#include "core/window_table.h"

namespace tunnel {

class Form;

// The dangerous works window "危险性较大的分部分项工程": two tiers of the
// regulation's catalogue, from which the user builds the project's lists.
const WindowTable &DangerousWorksTable();

inline constexpr char kDangerTabsId[] = "选择夹1";
inline constexpr char kDescriptionId[] = "编辑框1";
inline constexpr char kDangerLogId[] = "编辑框日志";
inline constexpr char kFormworkButtonId[] = "按钮1施工中荷载";
inline constexpr char kFooterText[] =
    "依据《危险性较大的分部分项工程安全管理规定》中华人民共和国住房和城乡建设部令第37号（2019年修正）\r\n    《住房城乡建设部办公厅关于实施《危险性较大的分部分项工程安全管理规定》有关问题的通知》【建办质〔2018〕31号】";

enum class Tier { Ordinary, OverScale };
inline constexpr Tier kTiers[] = {Tier::Ordinary, Tier::OverScale};

// One group of a roll-up category menu: its heading, its single clickable
// item and the catalogue texts it lists.
struct Category {
    const char *heading;
    const char *item;
    std::span<const char *const> entries;
};

// The units, texts and files of one tier page.
struct TierTable {
    const char *page;  // tab caption
    const char *pageHeading;
    const char *menuId;
    const char *menuHeading;  // empty: the menu has no heading
    const char *catalogueId;
    const char *catalogueHeading;
    const char *projectId;
    const char *projectGroup;
    std::span<const Category> categories;
    const char *openButton;
    const char *saveButton;
    const char *exportButton;
    const char *extension;  // of the list files, with its point
    const char *openLog;
    const char *saveLog;
    const char *exportLog;
    const char *exportMessage;
    bool exportMessageFirst;  // the message box comes before the log text
    const char *deleteLog;
};

const TierTable &TierOf(Tier tier);

// Fills the tier's catalogue list with the category's texts; an index
// outside 0..6 changes nothing.
void ChooseCategory(Form &form, Tier tier, int index);

// Shows the selected item of the catalogue or project list in the
// description box (four blanks first) and clears the selection of the
// tier's other list.
void DescribeCatalogueItem(Form &form, Tier tier);
void DescribeProjectItem(Form &form, Tier tier);

// Appends the selected catalogue text to the tier's project list unless the
// list already holds it; logs the outcome.
void AddSelectedItem(Form &form, Tier tier);

// Deletes the selected item of the ordinary, then of the over-scale project
// list, whichever page is shown; a list without selection is left alone.
void DeleteSelectedItems(Form &form);

// The file commands of the two pages: the list file (".危大工程" or
// ".超规模") is opened or saved, or the list exported as ".txt". A cancelled
// dialog does nothing; a failed read or write is reported with the file and
// the reason and leaves the list, and any earlier file, as they were.
void OpenWorkList(Form &form, Tier tier);
void SaveWorkList(Form &form, Tier tier);
void ExportWorkListText(Form &form, Tier tier);

}  // namespace tunnel

#pragma once

#include <QString>
#include <span>
#include <string_view>

#include "core/reference_page.h"

namespace tunnel {

class Form;
struct ReportTable;
struct WindowTable;

// A picture button of the main window's navigation column.
struct NavigationButton {
    const char *id = nullptr;  // null: the module has no button
    const char *caption = nullptr;
    int height = 50;
    int position = 0;  // the column runs in ascending positions
};

// The module's entry in the menu bar; menus appear in the order of their
// first entry, entries in ascending positions.
struct MenuPlace {
    const char *menu = nullptr;
    const char *item = nullptr;
    int position = 0;
};

// One report of the module with what fills a window for it, so that runs
// over every report (tests, benchmarks) need no list of their own.
struct ReportCase {
    const char *name;
    void (*calculate)(Form &);  // brings a window with presets to results
    // The report and the window's export command; null: the table's report,
    // exported as it stands.
    const ReportTable &(*report)() = nullptr;
    void (*exportReport)(Form &) = nullptr;
};

// All the shell knows of a calculation module. Each module defines its entry
// in its own folder; the build lists the entries of the modules it compiles.
struct ModuleEntry {
    const char *id;                 // the module's folder name
    const WindowTable &(*table)();  // the main window's table: title, fields, report
    bool modal = false;             // else an independent window that minimises the main window
    NavigationButton button = {};
    MenuPlace menu = {};
    std::span<const ReferenceLink> references = {};
    std::span<const ReportCase> reports = {};

    QString Title() const;
    // The report of one of its cases, and its export on a window.
    const ReportTable &Report(const ReportCase &report) const;
    void Export(const ReportCase &report, Form &form) const;
};

// The entries of the modules this build has, in menu order.
std::span<const ModuleEntry *const> BuiltModules();

// The entry of the module with this id, or null when the build has none.
const ModuleEntry *FindModule(std::string_view id);

}  // namespace tunnel

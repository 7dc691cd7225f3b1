#include "core/module_entry.h"

#include "core/window_table.h"

namespace tunnel {

QString ModuleEntry::Title() const {
    return QString::fromUtf8(table().title);
}

const ModuleEntry *FindModule(std::string_view id) {
    for (const ModuleEntry *entry : BuiltModules())
        if (id == entry->id) return entry;
    return nullptr;
}

}  // namespace tunnel

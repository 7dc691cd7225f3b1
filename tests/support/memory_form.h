#pragma once

#include "core/headless_form.h"
#include "support/scripted_dialogs.h"

namespace tunnel::test {

// Holds the dialogs so that they exist before the form that uses them.
struct ScriptedDialogsHolder {
    ScriptedDialogs scripted;
};

// The headless form with dialogs that answer from a script.
class MemoryForm : public ScriptedDialogsHolder, public HeadlessForm {
public:
    explicit MemoryForm(QString dataFolder, const WindowTable *table = nullptr)
        : HeadlessForm(std::move(dataFolder), table, scripted) {}
};

}  // namespace tunnel::test

#pragma once

#include "core/dialogs.h"

class QWidget;

namespace tunnel {

// The dialogs of the running program: Qt message boxes and file dialogs, the
// desktop's file manager, real pauses.
class WidgetDialogs : public Dialogs {
public:
    int Message(const QString &text, const QString &caption, Buttons buttons, Icon icon) override;
    std::optional<QString> AskFile(const FileRequest &request) override;
    bool OpenFolder(const QString &path) override;
    void Pause(int ms) override;
    void Wait(int ms) override;
    void StartDetached(const QString &program) override;
};

}  // namespace tunnel

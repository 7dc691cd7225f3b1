#pragma once

#include <QQueue>
#include <QStringList>
#include <functional>

#include "core/dialogs.h"

namespace tunnel::test {

// Answers dialogs from queues and records what was shown. Pauses are not
// waited for: they only process pending paint events and are recorded.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
    };

    int Message(const QString &text, const QString &caption, Buttons buttons, Icon icon) override;
    std::optional<QString> AskFile(const FileRequest &request) override;
    bool OpenFolder(const QString &path) override {
        openedFolders << path;
        return folderOpens;
    }
    void Pause(int ms) override;
    void Wait(int ms) override;
    void StartDetached(const QString &program) override { started << program; }

    // Answers for the next message boxes (when the queue is empty: kAnswerOk,
    // or kAnswerNo for a Buttons::YesNo box).
    QQueue<int> answers;
    // Paths for the next file dialogs; an empty text answers Cancel.
    QQueue<QString> files;
    // Runs when a message box is shown, e.g. to check the window meanwhile.
    std::function<void(const Shown &)> onMessage;

    QList<Shown> messages;
    QList<FileRequest> requests;
    QStringList openedFolders;
    // Whether the file manager shows the folder.
    bool folderOpens = true;
    QList<int> pauses;
    int waits = 0;
    QStringList started;

    QStringList MessageTexts() const;
};

}  // namespace tunnel::test

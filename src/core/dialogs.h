#pragma once

#include <QString>
#include <optional>

namespace tunnel {

// YesNo's default button is 否; YesNoDefaultYes's is 是, for a question
// whose usual answer goes on.
enum class Buttons { Ok, OkCancel, YesNo, YesNoDefaultYes };
enum class Icon { None, Information, Warning, Error, Question };

inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerCancel = 1;
// 是 and 否 of a Buttons::YesNo or YesNoDefaultYes box.
inline constexpr int kAnswerYes = kAnswerOk;
inline constexpr int kAnswerNo = kAnswerCancel;

struct FileRequest {
    bool save = false;
    QString initialFolder;
    // "description|pattern" pairs joined by "|", as "（*.tac）|*.tac".
    QString filter;
    // Appended to a typed name without extension, e.g. ".tac"; empty for none.
    QString defaultExtension;
    // File name the save dialog proposes; empty for none.
    QString fileName;
};

// Every message box, file dialog, folder display and blocking pause goes
// through here, so tests can answer dialogs and shorten pauses.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal message; returns kAnswerOk or kAnswerCancel (also for closing it).
    virtual int Message(const QString &text, const QString &caption = QStringLiteral("信息："),
                        Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> AskFile(const FileRequest &request) = 0;
    // Shows the folder in the file manager; false when it could not.
    virtual bool OpenFolder(const QString &path) = 0;
    // Blocks for ms milliseconds; windows repaint but take no input.
    virtual void Pause(int ms) = 0;
    // Waits ms milliseconds while handling every pending event.
    virtual void Wait(int ms) = 0;
    // Starts a process by command line without waiting; the outcome is ignored.
    virtual void StartDetached(const QString &program) = 0;
};

// Shows that a file could not be read or written: the headline, the file
// and the reason, as an error.
void ShowFileFailure(Dialogs &dialogs, const QString &headline, const QString &path,
                     const QString &reason, const QString &caption = QStringLiteral("信息："));

}  // namespace tunnel

#include "support/scripted_dialogs.h"

#include <QCoreApplication>

namespace tunnel::test {

int ScriptedDialogs::Message(const QString &text, const QString &caption, Buttons buttons,
                             Icon icon) {
    const Shown shown{text, caption, buttons, icon};
    messages.append(shown);
    if (onMessage) onMessage(shown);
    // An unscripted 是/否 box gets its default button.
    const int fallback = buttons == Buttons::YesNo ? kAnswerNo : kAnswerOk;
    const int answer = answers.isEmpty() ? fallback : answers.dequeue();
    return buttons == Buttons::Ok ? kAnswerOk : answer;
}

std::optional<QString> ScriptedDialogs::AskFile(const FileRequest &request) {
    requests.append(request);
    if (files.isEmpty()) return std::nullopt;
    const QString path = files.dequeue();
    if (path.isEmpty()) return std::nullopt;
    return path;
}

void ScriptedDialogs::Pause(int ms) {
    pauses.append(ms);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ScriptedDialogs::Wait(int) {
    ++waits;
    QCoreApplication::processEvents();
}

QStringList ScriptedDialogs::MessageTexts() const {
    QStringList texts;
    for (const Shown &m : messages) texts << m.text;
    return texts;
}

}  // namespace tunnel::test

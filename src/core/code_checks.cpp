#include "core/code_checks.h"

#include "core/form.h"

namespace tunnel {

QStringList CheckSection(const QStringList &failed) {
    if (failed.isEmpty()) return {QStringLiteral("校核：各项校核均满足。")};
    QStringList section{QStringLiteral("校核：")};
    for (int i = 0; i < failed.size(); ++i)
        section << QStringLiteral("%1、%2").arg(i + 1).arg(failed[i]);
    return section;
}

void LogChecks(Form &form, const QStringList &failed) {
    FeedbackSink *sink = form.Feedback();
    if (!sink) return;
    for (const QString &line : failed)
        sink->AppendWarning(QStringLiteral("校核：") + line + QStringLiteral("\r\n"));
}

}  // namespace tunnel

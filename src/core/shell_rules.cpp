#include "core/shell_rules.h"

namespace tunnel {

QString ClockText(const QDateTime &now) {
    const QDate d = now.date();
    const QTime t = now.time();
    QString text = QStringLiteral("%1年%2月%3日").arg(d.year()).arg(d.month()).arg(d.day());
    if (t.second() != 0)
        text += QStringLiteral("%1时%2分%3秒").arg(t.hour()).arg(t.minute()).arg(t.second());
    else if (t.minute() != 0)
        text += QStringLiteral("%1时%2分").arg(t.hour()).arg(t.minute());
    else if (t.hour() != 0)
        text += QStringLiteral("%1时").arg(t.hour());
    return text;
}

QSize MainWindowSize(QSize screen) {
    return QSize(static_cast<int>(screen.width() * 0.5), static_cast<int>(screen.height() * 0.5));
}

QPoint CentredPosition(QSize screen, QSize window) {
    return QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
}

QString SplashCaption(int progress) {
    return QStringLiteral("进度加载%1%").arg(progress);
}

}  // namespace tunnel

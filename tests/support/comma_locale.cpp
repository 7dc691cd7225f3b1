#include "support/comma_locale.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace tunnel::test {

QString MakeCommaLocale(const QString &folder) {
    if (!QFileInfo::exists(QStringLiteral("/usr/share/i18n/locales/de_DE")))
        return QStringLiteral("no locale sources in /usr/share/i18n/locales (package locales)");
    QDir().mkpath(folder);
    QProcess localedef;
    // -c: warnings about the sources are no reason to stop.
    localedef.start(
        QStringLiteral("localedef"),
        {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
         QStringLiteral("UTF-8"), folder + QLatin1Char('/') + QLatin1String(kCommaLocale)});
    if (!localedef.waitForFinished(120000)) return QStringLiteral("localedef did not run");
    if (!QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kCommaLocale) +
                           QStringLiteral("/LC_NUMERIC")))
        return QStringLiteral("localedef failed: ") +
               QString::fromLocal8Bit(localedef.readAllStandardError());
    return QString();
}

}  // namespace tunnel::test

#include "support/office_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace tunnel::test {

namespace {

void SetError(QString *error, const QString &text) {
    if (error) *error = text;
}

// Runs a program to its end; false with a reason on failure.
bool Run(const QString &program, const QStringList &arguments, int timeoutMs, QString *error,
         QByteArray *output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(output ? QProcess::SeparateChannels : QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        SetError(error, QStringLiteral("%1 did not finish").arg(program));
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        SetError(error, QStringLiteral("%1 failed: %2")
                            .arg(program, QString::fromLocal8Bit(process.readAll())));
        return false;
    }
    if (output) *output = process.readAllStandardOutput();
    return true;
}

// LibreOffice opens the file and saves it with the filter (e.g. "pdf");
// returns the path of the converted file inside work, empty with a reason on
// failure.
QString Convert(const QString &docPath, const QString &filter, const QString &extension,
                const QTemporaryDir &work, QString *error) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        SetError(error, QStringLiteral("soffice is not installed"));
        return {};
    }
    QFile input(docPath);
    if (!input.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("cannot read %1").arg(docPath));
        return {};
    }
    const QByteArray bytes = input.readAll();
    if (!work.isValid()) {
        SetError(error, QStringLiteral("no temporary folder"));
        return {};
    }
    // Reports are Office Open XML packages named .doc; LibreOffice goes by
    // the extension first, so the copy carries the one that fits.
    const QString copy = work.filePath(bytes.startsWith("PK") ? QStringLiteral("report.docx")
                                                              : QStringLiteral("report.doc"));
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        SetError(error, QStringLiteral("cannot write %1").arg(copy));
        return {};
    }
    out.close();

    // A profile of its own, so that parallel test runs do not share one.
    const QString profile =
        QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString();
    const QString outDir = work.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);
    if (!Run(soffice,
             {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
              QStringLiteral("--norestore"), QStringLiteral("--convert-to"), filter,
              QStringLiteral("--outdir"), outDir, copy},
             240000, error))
        return {};
    const QString converted =
        QDir(outDir).filePath(QFileInfo(copy).completeBaseName() + QLatin1Char('.') + extension);
    if (!QFile::exists(converted)) {
        SetError(error, QStringLiteral("LibreOffice wrote no %1 file").arg(extension));
        return {};
    }
    return converted;
}

}  // namespace

bool OfficeAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

void KeepReport(const QString &docPath, const QString &name) {
    const QString folder = qEnvironmentVariable("TUNNEL_REPORTS");
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const QString copy = QDir(folder).filePath(name + QStringLiteral(".docx"));
    QFile::remove(copy);
    QFile::copy(docPath, copy);
}

QString OfficeText(const QString &docPath, QString *error) {
    QTemporaryDir work;
    const QString converted = Convert(docPath, QStringLiteral("txt:Text (encoded):UTF8"),
                                      QStringLiteral("txt"), work, error);
    if (converted.isEmpty()) return {};
    QFile text(converted);
    if (!text.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("cannot read %1").arg(converted));
        return {};
    }
    // The filter starts with a byte order mark and ends lines with CR LF.
    QString body = QString::fromUtf8(text.readAll());
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return body;
}

QString OfficePageText(const QString &docPath, QString *error) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        SetError(error, QStringLiteral("pdftotext is not installed"));
        return {};
    }
    QTemporaryDir work;
    const QString pdf = Convert(docPath, QStringLiteral("pdf"), QStringLiteral("pdf"), work, error);
    if (pdf.isEmpty()) return {};
    QByteArray text;
    if (!Run(pdftotext,
             {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
              QStringLiteral("-")},
             60000, error, &text))
        return {};
    return QString::fromUtf8(text);
}

}  // namespace tunnel::test

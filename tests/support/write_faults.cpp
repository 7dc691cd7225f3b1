#include "support/write_faults.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>

namespace tunnel::test {

namespace {

const QString kSeparator = QStringLiteral("\x1f");

}  // namespace

QByteArray EarlierBytes() {
    QByteArray bytes = "[earlier]\r\nkept=1\r\n";
    while (bytes.size() < 2048) bytes += ";earlier line\r\n";
    return bytes;
}

QStringList Shown(const WriteRun &run, const QString &folder, const QString &path) {
    const std::unique_ptr<MemoryForm> form = run(folder, path);
    if (!form) return {};
    QStringList shown = form->scripted.MessageTexts();
    shown << QString::number(form->Progress());
    return shown;
}

QStringList ShownWithSizeLimit(const WriteRun &run, const QString &folder, const QString &path,
                               long limit) {
    int channel[2];
    if (::pipe(channel) != 0) return {QStringLiteral("no pipe")};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{rlim_t(limit), rlim_t(limit)};
        ::setrlimit(RLIMIT_FSIZE, &size);
        const QByteArray shown = Shown(run, folder, path).join(kSeparator).toUtf8();
        qsizetype done = 0;
        while (done < shown.size()) {
            const ssize_t n = ::write(channel[1], shown.constData() + done, shown.size() - done);
            if (n <= 0) break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray shown;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return {QStringLiteral("child killed")};
    return QString::fromUtf8(shown).split(kSeparator);
}

QString DiskFullFailure(const char *headline, const QString &path) {
    return QString::fromUtf8(headline) +
           QStringLiteral("\r\n文件：%1\r\n原因：磁盘空间不足").arg(QDir::toNativeSeparators(path));
}

TinyDisk::TinyDisk(const QString &folder) : m_folder(folder) {
    QDir().mkpath(folder);
    m_mounted =
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=16k"), QStringLiteral("tmpfs"), folder}) == 0;
}

TinyDisk::~TinyDisk() {
    if (m_mounted) QProcess::execute(QStringLiteral("umount"), {m_folder});
}

void TinyDisk::Fill() {
    QFile filler(m_folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
}

}  // namespace tunnel::test

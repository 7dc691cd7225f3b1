#include "widgets/widget_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace tunnel {

namespace {

// "（*.tac）|*.tac" to Qt's "（*.tac） (*.tac)".
QString QtFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}

void RunLoop(int ms, QEventLoop::ProcessEventsFlags flags) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(flags);
}

}  // namespace

int WidgetDialogs::Message(const QString &text, const QString &caption, Buttons buttons,
                           Icon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultYes) {
        QPushButton *yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
        box.setDefaultButton(buttons == Buttons::YesNo ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? kAnswerYes : kAnswerNo;
    }
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    QPushButton *cancel =
        buttons == Buttons::OkCancel ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setDefaultButton(ok);
    if (cancel) box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok ? kAnswerOk : kAnswerCancel;
}

std::optional<QString> WidgetDialogs::AskFile(const FileRequest &request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDirectory(request.initialFolder);
    dialog.setNameFilter(QtFilter(request.filter));
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(
            request.defaultExtension.mid(request.defaultExtension.startsWith(QLatin1Char('.'))));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool WidgetDialogs::OpenFolder(const QString &path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void WidgetDialogs::Pause(int ms) {
    RunLoop(ms, QEventLoop::ExcludeUserInputEvents);
}

void WidgetDialogs::Wait(int ms) {
    RunLoop(ms, QEventLoop::AllEvents);
}

void WidgetDialogs::StartDetached(const QString &program) {
    QProcess::startDetached(program, {});
}

}  // namespace tunnel

#include "modules/period/core/rock_grade_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/dialogs.h"
#include "core/form.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"

namespace tunnel {

namespace {

const QString kList = QString::fromUtf8(kGradeListBox);
const QString kName = QString::fromUtf8(kGradeNameBox);
const QString kHint = QString::fromUtf8(kGradeHint);
const QString kDuplicateHint = QStringLiteral("项目名称重复");
const QString kCaption = QStringLiteral("提示");

// Typical values of drill-and-blast tunnels (full face in Ⅱ and Ⅲ, benches
// in Ⅳ, short rounds under steel arches in Ⅴ), only a start: each project
// replaces them with its own in the editor.
constexpr const char *kDefaultGrades[] = {
    "Ⅱ级 进尺3.5m 循环14h",
    "Ⅲ级 进尺3.0m 循环12h",
    "Ⅳ级 进尺2.0m 循环10h",
    "Ⅴ级 进尺1.0m 循环8h",
};

void Warn(Form &form, const QString &text) {
    form.DialogService().Message(text, kCaption, Buttons::Ok, Icon::Warning);
}

// Compares the name box with every entry; the hint label records a match,
// and the label is what the operations go by.
bool IsDuplicate(Form &form) {
    const QString name = form.Text(kName);
    for (const QString &entry : form.Items(kList)) {
        if (entry == name) {
            form.SetCaption(kHint, kDuplicateHint);
            break;
        }
    }
    return form.Caption(kHint) == kDuplicateHint;
}

// The checks shared by add, insert and modify; true when the name may go in.
bool AcceptName(Form &form, const QString &emptyMessage, const QString &duplicateMessage) {
    const QString name = form.Text(kName);
    if (name.isEmpty()) {
        Warn(form, emptyMessage);
        return false;
    }
    // The separator of the list file would split the name on the next load.
    if (name.contains(QLatin1Char('|'))) {
        Warn(form, QStringLiteral("名称中不能使用字符“|”，请修改！"));
        return false;
    }
    if (IsDuplicate(form)) {
        Warn(form, duplicateMessage);
        form.SetCaption(kHint, QString());
        return false;
    }
    return true;
}

}  // namespace

QString RockGradeName(const QString &entry) {
    static const QRegularExpression typical(
        QStringLiteral("^(进尺\\d+(\\.\\d+)?m|循环\\d+(\\.\\d+)?h)$"));
    QStringList kept;
    for (const QString &word : entry.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!typical.match(word).hasMatch()) kept << word;
    return kept.join(QLatin1Char(' '));
}

QString RockGradeListPath(const QString &dataFolder) {
    return dataFolder + QStringLiteral("/Data/data.ini");
}

QStringList ParseRockGradeList(const QByteArray &bytes) {
    return SplitGbkList(bytes);
}

QByteArray FormatRockGradeList(const QStringList &names) {
    return GbkListBytes(names);
}

QStringList DefaultRockGrades() {
    QStringList names;
    for (const char *name : kDefaultGrades) names << QString::fromUtf8(name);
    return names;
}

QStringList ReadRockGradeList(const QString &dataFolder) {
    // Only a missing file: an empty one is a list the user emptied.
    if (!QFileInfo::exists(RockGradeListPath(dataFolder))) return DefaultRockGrades();
    QFile file(RockGradeListPath(dataFolder));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseRockGradeList(file.readAll());
}

QString WriteRockGradeList(const QString &dataFolder, const QStringList &names) {
    QDir().mkpath(dataFolder + QStringLiteral("/Data"));
    return WriteFileAtomically(RockGradeListPath(dataFolder), FormatRockGradeList(names));
}

void LoadRockGradeList(Form &form, const QString &listId) {
    form.SetItems(listId, ReadRockGradeList(form.DataFolder()));
    form.SetCurrentIndex(listId, -1);
}

bool StoreRockGradeList(Form &form, const QString &listId) {
    const QString failure = WriteRockGradeList(form.DataFolder(), form.Items(listId));
    if (failure.isEmpty()) return true;
    ShowFileFailure(form.DialogService(),
                    QStringLiteral("围岩等级列表保存失败，本次的修改未能保存！"),
                    RockGradeListPath(form.DataFolder()), failure, kCaption);
    return false;
}

bool RockGradeEditorOpened(Form &form) {
    QDir().mkpath(form.DataFolder() + QStringLiteral("/Data"));
    LoadRockGradeList(form, kList);
    // A file that is there but cannot be read must not be replaced by the
    // empty list the editor then shows.
    const QString path = RockGradeListPath(form.DataFolder());
    QFile file(path);
    if (!QFileInfo::exists(path) || file.open(QIODevice::ReadOnly)) return true;
    form.DialogService().Message(
        QStringLiteral("围岩等级列表无法读取，本次的修改将不会保存！\r\n文件：%1\r\n原因：%2")
            .arg(QDir::toNativeSeparators(path), file.errorString()),
        kCaption, Buttons::Ok, Icon::Warning);
    return false;
}

void RockGradeEditorClosing(Form &form) {
    StoreRockGradeList(form, kList);
}

void RockGradeSelected(Form &form) {
    const int selected = form.CurrentIndex(kList);
    const QStringList items = form.Items(kList);
    if (selected >= 0 && selected < items.size()) form.SetText(kName, items[selected]);
    form.SetCaption(kHint, QString());
}

void AddRockGrade(Form &form) {
    if (!AcceptName(form, QStringLiteral("请输入要增加的名称！"),
                    QStringLiteral("添加的名称重复,请查证！")))
        return;
    const int selected = form.CurrentIndex(kList);
    form.SetItems(kList, form.Items(kList) << form.Text(kName));
    form.SetCurrentIndex(kList, selected);
    form.SetText(kName, QString());
}

void InsertRockGrade(Form &form) {
    if (!AcceptName(form, QStringLiteral("请添加你要插入的名称！"),
                    QStringLiteral("名称重复,请查证！")))
        return;
    const int selected = form.CurrentIndex(kList);
    QStringList items = form.Items(kList);
    if (selected >= 0 && selected < items.size()) {
        items.insert(selected, form.Text(kName));
        form.SetItems(kList, items);
        // The selection stays on the entry that moved down.
        form.SetCurrentIndex(kList, selected + 1);
    }
    form.SetText(kName, QString());
}

void ModifyRockGrade(Form &form) {
    if (!AcceptName(form, QStringLiteral("请选择你要修改的的名称！"),
                    QStringLiteral("修改的名称重复,请查证！")))
        return;
    const int selected = form.CurrentIndex(kList);
    QStringList items = form.Items(kList);
    if (selected >= 0 && selected < items.size()) {
        items[selected] = form.Text(kName);
        form.SetItems(kList, items);
        form.SetCurrentIndex(kList, selected);
    }
    form.SetText(kName, QString());
}

void DeleteRockGrade(Form &form) {
    const int selected = form.CurrentIndex(kList);
    QStringList items = form.Items(kList);
    if (selected < 0 || selected >= items.size()) {
        Warn(form, QStringLiteral("请选择要删除的项目！"));
        return;
    }
    if (form.DialogService().Message(QStringLiteral("您确定要删除该项目？"),
                                     QStringLiteral("信息："), Buttons::OkCancel) != kAnswerOk)
        return;
    items.removeAt(selected);
    form.SetItems(kList, items);
    // No entry is chosen afterwards, so a second 删除 cannot hit a neighbour.
    form.SetCurrentIndex(kList, -1);
}

void ClearRockGrades(Form &form) {
    if (form.DialogService().Message(QStringLiteral("确定清空全部项目"), QStringLiteral("信息："),
                                     Buttons::OkCancel) == kAnswerOk)
        form.SetItems(kList, {});
}

}  // namespace tunnel

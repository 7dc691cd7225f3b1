#include "core/parameter_file.h"

#include <QDir>

#include "core/dialogs.h"
#include "core/form.h"
#include "core/ini_file.h"

namespace tunnel {

QString DataFolder(const Form &form) {
    return form.ProgramFolder() + QStringLiteral("/Data");
}

std::optional<QString> AskParameterFile(Form &form, bool save, const char *openDefaultExtension) {
    FileRequest request;
    request.save = save;
    request.initialFolder = DataFolder(form);
    request.filter = QStringLiteral("（*.tac）|*.tac");
    request.defaultExtension = save ? QStringLiteral(".tac") : U(openDefaultExtension);
    return form.DialogService().AskFile(request);
}

QString StoreParameters(const Form &form, const QString &path, std::span<const ParamKey> keys) {
    IniFile ini = IniFile::Load(path);
    for (const ParamKey &key : keys) ini.Write(key.section, key.key, form.Text(key.field));
    return ini.Save(path);
}

void LoadParameters(Form &form, const QString &path, std::span<const ParamKey> keys) {
    const IniFile ini = IniFile::Load(path);
    for (const ParamKey &key : keys) form.SetText(key.field, ini.Read(key.section, key.key));
}

bool SaveParameters(Form &form, const WindowTable &table) {
    const std::optional<QString> path = AskParameterFile(form, true);
    if (!path) return false;
    const QString failure = StoreParameters(form, *path, table.params);
    if (!failure.isEmpty()) {
        form.DialogService().Message(QStringLiteral("保存失败！\r\n文件：%1\r\n原因：%2")
                                         .arg(QDir::toNativeSeparators(*path), failure),
                                     QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return false;
    }
    form.DialogService().Message(QStringLiteral("保存成功！"));
    return true;
}

bool OpenParameters(Form &form, const WindowTable &table) {
    const std::optional<QString> path = AskParameterFile(form, false, table.openDefaultExtension);
    if (!path) return false;
    LoadParameters(form, *path, table.params);
    return true;
}

}  // namespace tunnel

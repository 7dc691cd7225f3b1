#include "core/parameter_file.h"

#include <QDir>
#include <climits>

#include "core/dialogs.h"
#include "core/form.h"
#include "core/ini_file.h"

namespace tunnel {

QString ParameterFolder(const Form &form) {
    return form.DataFolder() + QStringLiteral("/Data");
}

std::optional<QString> AskParameterFile(Form &form, bool save, const char *openDefaultExtension) {
    FileRequest request;
    request.save = save;
    request.initialFolder = ParameterFolder(form);
    request.filter = QStringLiteral("（*.tac）|*.tac");
    request.defaultExtension = save ? QStringLiteral(".tac") : U(openDefaultExtension);
    return form.DialogService().AskFile(request);
}

int StoredIndex(const QString &text) {
    auto fold = [](QChar c) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) return QChar(char16_t(u - 0xFEE0));
        return u == 0x3000 ? QChar(u' ') : c;
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = fold(text[i]);
        if (c != u' ' && (c < u'\t' || c > u'\r')) break;
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (fold(text[i]) == u'+' || fold(text[i]) == u'-'))
        negative = fold(text[i++]) == u'-';
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = fold(text[i]);
        if (c < u'0' || c > u'9') break;
        value = qMin<long long>(value * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return int(negative ? -value : value);
}

QString StoreParameters(const Form &form, const QString &path, std::span<const ParamKey> keys) {
    IniFile ini = IniFile::Load(path);
    for (const ParamKey &key : keys)
        ini.Write(key.section, key.key,
                  key.stored == Stored::Text ? form.Text(key.field)
                                             : QString::number(form.CurrentIndex(key.field)));
    return ini.Save(path);
}

void LoadParameters(Form &form, const QString &path, std::span<const ParamKey> keys) {
    LoadParameters(form, IniFile::Load(path), keys);
}

void LoadParameters(Form &form, const IniFile &ini, std::span<const ParamKey> keys) {
    for (const ParamKey &key : keys) {
        const QString value = ini.Read(key.section, key.key);
        if (key.stored == Stored::Text) {
            form.SetText(key.field, value);
            continue;
        }
        if (key.absentIndex >= 0 && value.trimmed().isEmpty()) {
            form.SetCurrentIndex(key.field, key.absentIndex);
            continue;
        }
        const int index = StoredIndex(value);
        const int count = int(form.Items(key.field).size());
        if (key.stored == Stored::IndexOrLast)
            form.SetCurrentIndex(key.field, index < 0 ? -1 : qMin(index, count - 1));
        else
            form.SetCurrentIndex(key.field, index >= 0 && index < count ? index : -1);
    }
}

bool SaveParameters(Form &form, const WindowTable &table) {
    const std::optional<QString> path = AskParameterFile(form, true);
    if (!path) return false;
    const QString failure = StoreParameters(form, *path, table.params);
    if (!failure.isEmpty()) {
        ShowFileFailure(form.DialogService(), QStringLiteral("保存失败！"), *path, failure);
        return false;
    }
    form.DialogService().Message(QStringLiteral("保存成功！"));
    if (table.savedLog) form.AppendLog(U(table.savedLog));
    return true;
}

bool OpenParameters(Form &form, const WindowTable &table) {
    const std::optional<QString> path = AskParameterFile(form, false, table.openDefaultExtension);
    if (!path) return false;
    const IniFile ini = IniFile::Load(*path);
    // All windows share one folder: a file of another window would only
    // have emptied every field.
    QStringList restored;
    bool any = false;
    for (const ParamKey &key : table.params) {
        if (!ini.Contains(key.section, key.key)) continue;
        any = true;
        const FieldRow *field = FindField(table, key.field);
        if (field && field->kind != FieldKind::Input) restored << U(key.field);
    }
    if (!any) {
        form.DialogService().Message(QStringLiteral("所选文件不含本窗口的参数，未读取。"));
        return false;
    }
    if (table.beforeOpen) table.beforeOpen(form);
    form.LoadStarted();
    LoadParameters(form, ini, table.params);
    form.LoadFinished(restored);
    if (table.openedLog) form.AppendLog(U(table.openedLog));
    return true;
}

}  // namespace tunnel

#include "core/project_info.h"

#include <QDir>
#include <QFileInfo>

#include "core/docx_document.h"
#include "core/ini_file.h"

namespace tunnel {

namespace {

const QString kSection = QStringLiteral("工程信息");
constexpr const char *kDateFormat = "yyyy-MM-dd";

struct Item {
    const char *key;
    QString ProjectInfo::*member;
};

const Item kItems[] = {
    {"工程名称", &ProjectInfo::name},       {"标段工点", &ProjectInfo::section},
    {"建设单位", &ProjectInfo::owner},      {"设计单位", &ProjectInfo::designer},
    {"监理单位", &ProjectInfo::supervisor}, {"施工单位", &ProjectInfo::contractor},
    {"编制", &ProjectInfo::preparer},       {"复核", &ProjectInfo::checker},
    {"审核", &ProjectInfo::approver},       {"审批", &ProjectInfo::authoriser},
};

}  // namespace

QString ProjectInfoPath(const QString &dataFolder) {
    return dataFolder + QStringLiteral("/Data/工程信息.ini");
}

ProjectInfo ReadProjectInfo(const QString &dataFolder, const QDate &today) {
    const IniFile ini = IniFile::Load(ProjectInfoPath(dataFolder));
    ProjectInfo info;
    for (const Item &item : kItems)
        info.*item.member = ini.Read(kSection, QString::fromUtf8(item.key));
    info.date = QDate::fromString(ini.Read(kSection, QStringLiteral("日期")),
                                  QString::fromLatin1(kDateFormat));
    if (!info.date.isValid()) info.date = today;
    return info;
}

QString WriteProjectInfo(const QString &dataFolder, const ProjectInfo &info) {
    const QString path = ProjectInfoPath(dataFolder);
    QDir().mkpath(QFileInfo(path).absolutePath());
    IniFile ini = IniFile::Load(path);
    for (const Item &item : kItems)
        ini.Write(kSection, QString::fromUtf8(item.key), (info.*item.member).trimmed());
    ini.Write(kSection, QStringLiteral("日期"),
              info.date.toString(QString::fromLatin1(kDateFormat)));
    return ini.Save(path);
}

void FillProjectInfo(DocxDocument &document, const ProjectInfo &info) {
    const QString prefix = QStringLiteral("工程信息_");
    for (const Item &item : kItems)
        document.ReplacePlaceholder(prefix + QString::fromUtf8(item.key),
                                    ReportItemText(info.*item.member), 20);
    document.ReplacePlaceholder(prefix + QStringLiteral("日期"), ReportDateText(info.date), 20);
    const QString name = info.name.trimmed();
    document.ReplaceInHeaders(QStringLiteral("页眉_工程名称"),
                              name.isEmpty() ? QStringLiteral("隧道施工计算工具") : name);
}

QString ReportItemText(const QString &value) {
    // Blanks would vanish at a line end; an underscore line stays visible.
    return value.trimmed().isEmpty() ? QString(14, QLatin1Char('_')) : value.trimmed();
}

QString ReportDateText(const QDate &date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy年M月d日")) : ReportItemText({});
}

}  // namespace tunnel

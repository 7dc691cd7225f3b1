#pragma once

#include <QDate>
#include <QString>

namespace tunnel {

// The project a report belongs to and who signs it, printed on every report.
struct ProjectInfo {
    QString name;        // 工程名称
    QString section;     // 标段/工点
    QString contractor;  // 施工单位
    QString preparer;    // 编制
    QString checker;     // 复核
    QString approver;    // 审核
    QDate date;          // 日期
    QString owner;       // 建设单位
    QString designer;    // 设计单位
    QString supervisor;  // 监理单位
    QString authoriser;  // 审批
};

// Data/工程信息.ini below the program folder.
QString ProjectInfoPath(const QString &dataFolder);

// The stored project information; a missing file or item reads as empty,
// a missing or unreadable date as today.
ProjectInfo ReadProjectInfo(const QString &dataFolder, const QDate &today);

// Writes the file atomically; returns an empty text on success, else the reason.
QString WriteProjectInfo(const QString &dataFolder, const ProjectInfo &info);

class DocxDocument;

// Replaces the project placeholders (工程信息_工程名称, _标段工点, _施工单位,
// _建设单位, _设计单位, _监理单位, _编制, _复核, _审核, _审批, _日期)
// wherever a report's cover, title block or signature table holds them, and
// 页眉_工程名称 in the page header by the project's name, or the tool's
// name when the project has none.
void FillProjectInfo(DocxDocument &document, const ProjectInfo &info);

// The report text of an item: the value, or a line to write on when it is empty.
QString ReportItemText(const QString &value);

// The date as the reports print it, "2026年12月9日".
QString ReportDateText(const QDate &date);

}  // namespace tunnel

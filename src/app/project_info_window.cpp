#include "app/project_info_window.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/dialogs.h"
#include "core/project_info.h"

namespace tunnel {

namespace {

struct Row {
    const char *label;
    QString ProjectInfo::*member;
};

const Row kRows[] = {
    {"工程名称", &ProjectInfo::name},       {"标段/工点", &ProjectInfo::section},
    {"建设单位", &ProjectInfo::owner},      {"设计单位", &ProjectInfo::designer},
    {"监理单位", &ProjectInfo::supervisor}, {"施工单位", &ProjectInfo::contractor},
    {"编制", &ProjectInfo::preparer},       {"复核", &ProjectInfo::checker},
    {"审核", &ProjectInfo::approver},       {"审批", &ProjectInfo::authoriser},
};

}  // namespace

ProjectInfoWindow::ProjectInfoWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_dataFolder(std::move(dataFolder)) {
    setWindowTitle(QStringLiteral("工程信息"));
    const ProjectInfo info = ReadProjectInfo(m_dataFolder, QDate::currentDate());
    auto *form = new QFormLayout;
    for (const Row &row : kRows) {
        auto *edit = new QLineEdit(info.*row.member, this);
        edit->setObjectName(QStringLiteral("工程信息_") + QString::fromUtf8(row.label));
        edit->setMinimumWidth(320);
        form->addRow(QString::fromUtf8(row.label) + QStringLiteral("："), edit);
        m_edits << edit;
    }
    m_date = new QDateEdit(info.date, this);
    m_date->setObjectName(QStringLiteral("工程信息_日期"));
    m_date->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    m_date->setCalendarPopup(true);
    form->addRow(QStringLiteral("日期："), m_date);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("工程信息_确定"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("工程信息_取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ProjectInfoWindow::accept() {
    ProjectInfo info;
    for (int i = 0; i < m_edits.size(); ++i) info.*kRows[i].member = m_edits[i]->text();
    info.date = m_date->date();
    const QString failure = WriteProjectInfo(m_dataFolder, info);
    if (!failure.isEmpty()) {
        ShowFileFailure(m_dialogs, QStringLiteral("保存失败！"), ProjectInfoPath(m_dataFolder),
                        failure);
        return;
    }
    QDialog::accept();
}

}  // namespace tunnel

#pragma once

#include <QDialog>

class QDateEdit;
class QLineEdit;

namespace tunnel {

class Dialogs;

// "工程信息": the project and the signatories every report prints, kept in
// Data/工程信息.ini. 确定 writes the file; a failed write is reported and
// the dialog stays open.
class ProjectInfoWindow : public QDialog {
    Q_OBJECT
public:
    ProjectInfoWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);

    void accept() override;

private:
    Dialogs &m_dialogs;
    QString m_dataFolder;
    QList<QLineEdit *> m_edits;
    QDateEdit *m_date = nullptr;
};

}  // namespace tunnel

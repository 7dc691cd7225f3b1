#pragma once

#include <QWidget>

#include "core/form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tunnel {

// The rock grade list editor "添加围岩等级": the list of names, the name
// box, the duplicate hint and the five buttons. It loads the list file when
// it is created and stores it once when it closes, however it is closed.
class RockGradeWindow : public QWidget, public Form {
    Q_OBJECT
public:
    RockGradeWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);
    ~RockGradeWindow() override;

    QListWidget *List() const { return m_list; }
    QLineEdit *NameBox() const { return m_name; }
    QLabel *Hint() const { return m_hint; }
    QPushButton *Button(const char *id) const;

    // Form, over the editor's own units.
    QString Text(QAnyStringView id) const override;
    void SetText(QAnyStringView id, const QString &text) override;
    QString Caption(QAnyStringView id) const override;
    void SetCaption(QAnyStringView id, const QString &text) override;
    void SetEnabled(QAnyStringView id, bool enabled) override;
    void SetVisible(QAnyStringView id, bool visible) override;
    int CurrentIndex(QAnyStringView id) const override;
    void SetCurrentIndex(QAnyStringView id, int index) override;
    QStringList Items(QAnyStringView id) const override;
    // Same length: the texts change in place, so the selection and the
    // scroll position stay.
    void SetItems(QAnyStringView id, const QStringList &items) override;
    Dialogs &DialogService() override { return m_dialogs; }
    QString DataFolder() const override { return m_dataFolder; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *Find(QAnyStringView id) const;

    Dialogs &m_dialogs;
    QString m_dataFolder;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QLabel *m_hint = nullptr;
    bool m_stored = false;
};

}  // namespace tunnel

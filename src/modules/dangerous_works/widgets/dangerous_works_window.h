#pragma once

#include "widgets/calc_window.h"
#include "widgets/window_ops.h"

class QAction;
class QListWidget;
class QMenu;

namespace tunnel {

enum class Tier;

// The dangerous works window: a tab page per tier with its roll-up category
// menu, catalogue list, project list and file buttons; below the pages the
// description box, the log box and the formwork load button.
class DangerousWorksWindow : public CalcWindow {
    Q_OBJECT
public:
    DangerousWorksWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                         QWidget *parent = nullptr);

    // Lists count as having a current item only while it is selected, so a
    // list that merely took the focus offers nothing to describe or delete.
    int CurrentIndex(QAnyStringView id) const override;
    void SetCurrentIndex(QAnyStringView id, int index) override;

    // The pop-up of the project lists; its menu-bar entry "菜单" is hidden.
    QMenu *ContextMenu() const { return m_contextMenu; }
    QAction *DeleteAction() const { return m_delete; }

private:
    QWidget *BuildPage(Tier tier);
    void BuildLayout();
    void ConnectFormworkButton();

    WindowOps &m_ops;
    QMenu *m_contextMenu = nullptr;
    QAction *m_delete = nullptr;
};

// Creates the window on the program's dialogs and folder.
QWidget *CreateDangerousWorksWindow(Dialogs &dialogs, const QString &dataFolder, WindowOps &ops);

}  // namespace tunnel

#include "widgets/reference_window.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QShortcut>

#include "widgets/fitted_window.h"
#include "widgets/group_box.h"
#include "widgets/picture_view.h"
#include "widgets/text_box.h"

namespace tunnel {

namespace {

using Kind = PageUnit::Kind;

// Labels show CR LF as a plain line break; the exact text stays in the
// "rawText" property.
QString Shown(const QString &text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}  // namespace

ReferenceWindow::ReferenceWindow(const PageTable &table, QWidget *parent)
    : QWidget(parent, parent ? Qt::Dialog : Qt::Window) {
    setWindowTitle(table.caption);
    setFixedSize(table.size);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    std::vector<QWidget *> made;
    for (const PageUnit &unit : table.units) {
        QWidget *owner = unit.group >= 0 ? made.at(unit.group) : this;
        QWidget *widget = nullptr;
        switch (unit.kind) {
            case Kind::Picture: {
                auto *label = new QLabel(owner);
                label->setPixmap(Picture(unit.content, unit.geometry.size()));
                label->setProperty("picture", unit.content);
                label->setAlignment(Qt::AlignCenter);
                widget = label;
                break;
            }
            case Kind::Label: {
                auto *label = new QLabel(Shown(unit.content), owner);
                label->setProperty("rawText", unit.content);
                label->setWordWrap(true);
                label->setAlignment(Qt::Alignment(unit.align));
                widget = label;
                break;
            }
            case Kind::Text: {
                auto *box = new TextBox(owner);
                box->SetRawText(unit.content);
                widget = box;
                break;
            }
            case Kind::Group:
                widget = new GroupBox(unit.content, owner);
                break;
        }
        widget->setObjectName(QString::fromUtf8(unit.id));
        widget->setGeometry(unit.geometry);
        if (unit.pixelSize > 0 || unit.bold) {
            QFont font = widget->font();
            if (unit.pixelSize > 0) font.setPixelSize(unit.pixelSize);
            font.setBold(unit.bold);
            widget->setFont(font);
        }
        made.push_back(widget);
    }
}

QWidget *CreateReferenceWindow(const ReferenceLink &link, QWidget *parent) {
    return new ReferenceWindow(link.page(), parent);
}

void OpenReference(const ReferenceLink &link, QWidget *caller) {
    if (link.modal) {
        ShowModalWindow(CreateReferenceWindow(link, caller ? caller->window() : nullptr));
        return;
    }
    // One independent window per page: opening it again brings it forward.
    static QHash<PageTable (*)(), QPointer<QWidget>> open;
    QPointer<QWidget> &window = open[link.page];
    if (!window) {
        window = CreateReferenceWindow(link);
        window->setAttribute(Qt::WA_DeleteOnClose);
        FitToScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ConnectReference(QAbstractButton *button, const ReferenceLink &link) {
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, &link] { OpenReference(link, button); });
}

bool ConnectReference(QWidget *window, const QString &buttonId, const ReferenceLink &link) {
    auto *button = window->findChild<QAbstractButton *>(buttonId);
    if (!button) return false;
    ConnectReference(button, link);
    return true;
}

}  // namespace tunnel

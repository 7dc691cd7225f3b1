#pragma once

#include <QString>
#include <QWidget>

#include "core/reference_page.h"

class QAbstractButton;

namespace tunnel {

// A window that only shows its units; it computes and stores nothing.
class ReferenceWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceWindow(const PageTable &table, QWidget *parent = nullptr);
};

// Builds the window of the link's page without showing it. A parent makes
// it a dialog owned by that window.
QWidget *CreateReferenceWindow(const ReferenceLink &link, QWidget *parent = nullptr);

// Opens the window as its caller needs it: modal ones owned by the caller's
// window, returning when closed; independent ones shown without owner (the
// caller stays usable and may close first) and brought to the front when
// already open. Nothing is minimised.
void OpenReference(const ReferenceLink &link, QWidget *caller);

// Enables the button and makes its clicks open the link's window.
void ConnectReference(QAbstractButton *button, const ReferenceLink &link);

// The same for the button with this objectName inside window; returns false
// when the window has no such button.
bool ConnectReference(QWidget *window, const QString &buttonId, const ReferenceLink &link);

}  // namespace tunnel

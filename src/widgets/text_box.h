#pragma once

#include <QPlainTextEdit>

namespace tunnel {

// A multi-line box that keeps its text exactly as given (CR LF included) and
// shows it with plain line breaks.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    QString RawText() const { return m_raw; }
    void SetRawText(const QString &text);
    // Appends at the end and scrolls so the end is visible.
    void AppendRaw(const QString &text);

private:
    static QString Shown(const QString &text);
    QString m_raw;
};

}  // namespace tunnel

#include "widgets/text_box.h"

#include <QScrollBar>
#include <QTextCursor>

namespace tunnel {

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
}

QString TextBox::Shown(const QString &text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void TextBox::SetRawText(const QString &text) {
    // Clearing an empty box would lay out and repaint it for nothing.
    if (text.isEmpty() && m_raw.isEmpty() && document()->isEmpty()) return;
    m_raw = text;
    setPlainText(Shown(text));
}

void TextBox::AppendRaw(const QString &text) {
    // A CR LF pair split over two appends shows as one break.
    QString shown = text;
    if (m_raw.endsWith(QLatin1Char('\r')) && shown.startsWith(QLatin1Char('\n')))
        shown.remove(0, 1);
    m_raw += text;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Shown(shown));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace tunnel

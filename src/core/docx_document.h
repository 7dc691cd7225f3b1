#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace tunnel {

// A Word package (Office Open XML) held in memory whose main document part
// can have its placeholder texts replaced. Headers, footers and every other
// part are copied unchanged when the package is written.
class DocxDocument {
public:
    DocxDocument();
    ~DocxDocument();
    // A copy of the document as it stands, sharing the package it was read
    // from: copying a parsed template is cheaper than opening it again.
    DocxDocument(const DocxDocument &other);
    DocxDocument &operator=(const DocxDocument &) = delete;

    // Reads a package. Returns false with a reason when it is no package or
    // has no parsable main document part.
    bool Open(const QByteArray &package, QString *error = nullptr);

    // One replace pass: the first occurrence, in document order, of the
    // placeholder in the main text (letters matched without regard to case)
    // is replaced by value, which takes the formatting of the run where the
    // match starts. Returns whether an occurrence was found.
    bool ReplacePass(const QString &placeholder, const QString &value);

    // Runs up to passes replace passes; returns how many found an occurrence.
    // Stops at the first pass that finds nothing.
    int ReplacePlaceholder(const QString &placeholder, const QString &value, int passes);

    // Replaces the paragraph holding the placeholder by one holding the PNG
    // picture inline, at that size in EMU (360000 a centimetre), keeping the
    // paragraph's properties. The picture becomes a part of the package with
    // its relationship and content type. Returns whether the placeholder
    // was found.
    bool InsertImage(const QString &placeholder, const QByteArray &png, long long widthEmu,
                     long long heightEmu);

    // Replaces the paragraph holding the placeholder by a table of these
    // rows across the text width, the first row as its head, the columns
    // as wide as their weights (equal without). Returns whether the
    // placeholder was found.
    bool InsertTable(const QString &placeholder, const QList<QStringList> &rows,
                     const QList<int> &weights = {});

    // Replaces the paragraph holding the placeholder by one paragraph per
    // line, each a copy of it with the placeholder replaced by the line; with
    // no lines the paragraph goes. Returns whether the placeholder was found.
    bool ReplaceParagraph(const QString &placeholder, const QStringList &lines);

    // Replaces every occurrence of the text in the page header parts, where
    // it must stand whole in one w:t. Returns how many were replaced.
    int ReplaceInHeaders(const QString &text, const QString &value);

    // Removes every table row of the main text whose text holds needle
    // (letters matched without regard to case); returns how many went.
    int RemoveTableRows(const QString &needle);

    // The searchable main text, paragraphs separated by "\n"; within a
    // paragraph tabs show as "\t", line breaks as "\n" and objects such as
    // equations as U+FFFC.
    QString MainText() const;

    // The modification time every entry of the saved package carries, in
    // seconds since 1970; by default each keeps the template's.
    void SetEntryTime(qint64 secondsSinceEpoch);

    // The package with the edited main part; empty with a reason on failure.
    QByteArray Save(QString *error = nullptr) const;

private:
    friend struct DocxDocumentTest;

    // Off for tests only: every pass then scans the whole body afresh and
    // searches it from the start, the reference the cached passes must match.
    void SetScanCache(bool on);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    bool m_scanCache = true;
};

}  // namespace tunnel

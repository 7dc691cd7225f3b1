#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

class Form;

// Unit names of the rock grade list editor "添加围岩等级".
inline constexpr char kGradeListBox[] = "列表框1";
inline constexpr char kGradeNameBox[] = "编辑框1";
inline constexpr char kGradeHint[] = "标签1提示";

// The list file below the program folder: Data/data.ini (not an INI file).
QString RockGradeListPath(const QString &dataFolder);

// Names of a list file's GBK bytes, split as SplitGbkList does.
QStringList ParseRockGradeList(const QByteArray &bytes);

// The written form: every name followed by "|", one line, no terminator.
QByteArray FormatRockGradeList(const QStringList &names);

// The list a fresh install starts with: grades Ⅱ to Ⅴ with a typical advance
// per cycle and cycle time in each name, to be replaced by the project's own.
QStringList DefaultRockGrades();

// The grade's name in a list entry, as the report prints it beside the
// stretch's own advance and cycle time: the entry without the typical
// advance ("进尺3.0m") and cycle time ("循环12h") the default list carries.
QString RockGradeName(const QString &entry);

// The names in the file, read with read access only; without the file the
// default list, and a file that cannot be read gives an empty list.
QStringList ReadRockGradeList(const QString &dataFolder);

// Replaces the file (atomically, Data created if missing). Returns an empty
// text on success, else the reason.
QString WriteRockGradeList(const QString &dataFolder, const QStringList &names);

// Fills the list or selector with the file's names; its choice is cleared.
void LoadRockGradeList(Form &form, const QString &listId);

// Writes the entries of the list to the file. A failure is shown in a
// message box naming the file and the reason; returns whether it was written.
bool StoreRockGradeList(Form &form, const QString &listId);

// The editor's commands, over the units above.
// Data folder, then the list loaded; false (after a warning) when the file
// exists but cannot be read, and must then not be stored on closing.
bool RockGradeEditorOpened(Form &form);
void RockGradeEditorClosing(Form &form);  // the list stored, once
void RockGradeSelected(Form &form);       // the chosen name into the name box
void AddRockGrade(Form &form);
void InsertRockGrade(Form &form);
void ModifyRockGrade(Form &form);
void DeleteRockGrade(Form &form);
void ClearRockGrades(Form &form);

}  // namespace tunnel

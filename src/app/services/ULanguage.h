#pragma once
// The text table: every caption, hint, column header and message of the user
// interface is taken by index from Lang_Texts. The table starts from the
// built-in English texts and is then overridden from the chosen language file.
#include <QString>
#include <QStringList>

// Entry n is text n; after a fill it holds exactly 2600 entries.
extern QStringList Lang_Texts;
// Upper bound (exclusive) of the indices a language file may set; 0 before the first fill.
extern int Num_Lang_Texts;

// The text n of the table, a blank for an index outside it.
QString Lang_Text(int index);

// Empties the table, appends the built-in texts 0 to 1999, then the rest through
// Load_Default_Language_2, and sets Num_Lang_Texts to 2600.
void Load_Default_Language();
// Appends the built-in texts 2000 to 2599.
void Load_Default_Language_2();

// Overrides table entries from the language file at path, line by line:
//   STR<index> = <text>      a later line for the same index wins
// Text after "/#/" is a comment; a leading pilcrow keeps the blanks after it and
// a further pilcrow ends the text, keeping the blanks before it. Lines that do
// not fit are skipped. Returns false (with a message in error) when the file
// cannot be read; the table is then left as it was.
bool Read_Language_File(const QString& path, QString* error = nullptr);

// Fills the table for Language_Name: built-in texts, then
// Path_Language/<Language_Name>.lng, or when that file is missing
// Language_Name := "English" and English.lng when it exists. Returns false only
// when an existing language file cannot be read.
bool Load_Language(QString* error = nullptr);


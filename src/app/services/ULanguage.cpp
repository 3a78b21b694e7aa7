#include "app/services/ULanguage.h"

#include "app/services/UComon.h"
#include "app/services/texts/EnglishTexts.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"

#include <QFileInfo>

QStringList Lang_Texts;
int Num_Lang_Texts = 0;

namespace {

constexpr int First_Block_End = 2000;   // Load_Default_Language appends up to here

// A real language file is a few hundred kilobytes; refuse anything absurd
// rather than reading it all into memory.
constexpr qint64 Max_Language_File_Size = 16 * 1024 * 1024;

const QChar Pilcrow(0x00B6);

// Applies one line of a language file to the table.
void applyLine(const QString& line)
{
    const QString s = fw::Trim(line);
    if (!s.startsWith(QLatin1String("STR")))
        return;
    const qsizetype eq = s.indexOf(QLatin1Char('='));
    if (eq < 0)
        return;
    // The index is everything between "STR" and "=", so "STR15=..." and
    // "STR15 = ..." both address text 15.
    const int index = fw::StrToIntDef(fw::Trim(s.mid(3, eq - 3)), -1);
    if (index < 0 || index >= Num_Lang_Texts || index >= Lang_Texts.size())
        return;
    QString t = fw::Trim(s.mid(eq + 1));
    if (t.isEmpty())
        return;
    const qsizetype comment = t.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        t = fw::Trim(t.left(comment));
        if (t.isEmpty())
            return;
    }
    if (t.startsWith(Pilcrow))
        t.remove(0, 1);
    const qsizetype end = t.indexOf(Pilcrow);
    if (end >= 0)
        t.truncate(end);
    Lang_Texts[index] = t;
}

} // namespace

QString Lang_Text(int index)
{
    if (index < 0 || index >= Lang_Texts.size())
        return QStringLiteral(" ");
    return Lang_Texts.at(index);
}

void Load_Default_Language()
{
    Lang_Texts.clear();
    Lang_Texts.reserve(English_Texts_Count);
    for (int i = 0; i < First_Block_End; ++i)
        Lang_Texts.append(QString::fromUtf8(English_Texts[i]));
    Load_Default_Language_2();
    Num_Lang_Texts = English_Texts_Count;
}

void Load_Default_Language_2()
{
    for (int i = First_Block_End; i < English_Texts_Count; ++i)
        Lang_Texts.append(QString::fromUtf8(English_Texts[i]));
}

bool Read_Language_File(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!fw::ReadTextFileBytes(path, bytes, error, Max_Language_File_Size))
        return false;
    fw::TStringList lines;
    lines.SetText(fw::DecodeText(bytes));
    for (int i = 0; i < lines.Count(); ++i)
        applyLine(lines[i]);
    return true;
}

bool Load_Language(QString* error)
{
    Load_Default_Language();
    // A language name from a hand-edited settings file must not lead outside
    // the language folder; such a name counts as a missing language.
    if (Is_Valid_Project_Name(Language_Name)) {
        const QString path = Path_Language + QLatin1Char('/') + Language_Name + QStringLiteral(".lng");
        if (QFileInfo(path).isFile())
            return Read_Language_File(path, error);
    }
    Language_Name = Default_Language_Name;
    const QString english = Path_Language + QStringLiteral("/English.lng");
    if (QFileInfo(english).isFile())
        return Read_Language_File(english, error);
    return true;
}

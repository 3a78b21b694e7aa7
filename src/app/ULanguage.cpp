#include "app/ULanguage.h"

#include "app/UComon.h"
#include "app/texts/EnglishTexts.h"
#include "framework/SysUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QStringList Lang_Texts;
int Num_Lang_Texts = 0;

namespace {

constexpr int First_Block_End = 2000;   // Load_Default_Language appends up to here

// A real language file is a few hundred kilobytes; refuse anything absurd
// rather than reading it all into memory.
constexpr qint64 Max_Language_File_Size = 16 * 1024 * 1024;

const QChar Pilcrow(0x00B6);

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five undefined
// codes map to the C1 controls of the same value.
constexpr char16_t Cp1252_High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? Cp1252_High[b - 0x80] : char16_t(b)));
    }
    return out;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

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

QString Decode_Language_Text(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(bytes);
}

bool Read_Language_File(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > Max_Language_File_Size) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\". The file is too large.").arg(path);
        return false;
    }
    const QByteArray bytes = file.read(Max_Language_File_Size + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > Max_Language_File_Size) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString());
        return false;
    }

    const QString text = Decode_Language_Text(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != QLatin1Char('\n') && text.at(end) != QLatin1Char('\r'))
            ++end;
        applyLine(text.mid(start, end - start));
        if (end + 1 < n && text.at(end) == QLatin1Char('\r') && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
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

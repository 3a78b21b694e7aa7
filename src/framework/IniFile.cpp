#include "framework/IniFile.h"

#include "framework/AtomicFile.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"

#include <QFile>

#include <vector>

namespace fw {

namespace {

// A line of a section: a key with its value, or a line kept as it was read
// (a comment, or text without "=").
struct Entry {
    QString key;
    QString value;
    bool raw = false;
};

struct Section {
    QString name;
    std::vector<Entry> entries;
};

// The file is line based: a line break inside a name or value would start a
// new key or section when the file is read back, so it becomes a blank.
QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

struct TIniFile::Impl {
    QString fileName;
    QString lastError;
    bool loadFailed = false;   // the file exists but could not be read
    QStringList preamble;   // lines before the first section, kept as read
    std::vector<Section> sections;

    Section* find(const QString& name)
    {
        for (Section& s : sections)
            if (AnsiSameText(s.name, name))
                return &s;
        return nullptr;
    }
    const Section* find(const QString& name) const { return const_cast<Impl*>(this)->find(name); }

    static Entry* findKey(Section* s, const QString& key)
    {
        if (!s)
            return nullptr;
        for (Entry& e : s->entries)
            if (!e.raw && AnsiSameText(e.key, key))
                return &e;
        return nullptr;
    }

    // The readers are const; the lookup itself changes nothing.
    const Entry* findValue(const QString& section, const QString& key) const
    {
        return findKey(const_cast<Section*>(find(section)), key);
    }

    void parse(const QString& text)
    {
        TStringList lines;
        lines.SetText(text);
        Section* current = nullptr;
        for (int i = 0; i < lines.Count(); ++i) {
            const QString line = Trim(lines[i]);
            if (line.isEmpty())
                continue;
            const bool comment = line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'));
            if (!comment && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
                const QString name = Trim(line.mid(1, line.size() - 2));
                current = find(name);
                if (!current) {
                    sections.push_back(Section{name, {}});
                    current = &sections.back();
                }
                continue;
            }
            if (!current) {
                preamble << line;
                continue;
            }
            const int eq = int(line.indexOf(QLatin1Char('=')));
            if (comment || eq < 0)
                current->entries.push_back(Entry{QString(), line, true});
            else
                current->entries.push_back(Entry{Trim(line.left(eq)), Trim(line.mid(eq + 1)), false});
        }
    }

    QString render() const
    {
        QString out;
        for (const QString& line : preamble)
            out += line + QLatin1Char('\n');
        bool first = preamble.isEmpty();
        for (const Section& s : sections) {
            if (!first)
                out += QLatin1Char('\n');
            first = false;
            out += QLatin1Char('[') + s.name + QStringLiteral("]\n");
            for (const Entry& e : s.entries)
                out += (e.raw ? e.value : e.key + QLatin1Char('=') + e.value) + QLatin1Char('\n');
        }
        return out;
    }
};

TIniFile::TIniFile(const QString& fileName) : d(std::make_unique<Impl>())
{
    d->fileName = fileName;
    QByteArray bytes;
    if (!QFile::exists(fileName))
        return;
    if (ReadTextFileBytes(fileName, bytes, &d->lastError))
        d->parse(DecodeText(bytes));
    else
        d->loadFailed = true;
}

TIniFile::~TIniFile() = default;

QString TIniFile::FileName() const
{
    return d->fileName;
}

QString TIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const
{
    const Entry* e = d->findValue(section, ident);
    return e ? e->value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& ident, int def) const
{
    const Entry* e = d->findValue(section, ident);
    return e ? StrToIntDef(e->value, def) : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    const QString sectionName = singleLine(section);
    const QString key = singleLine(ident);
    Section* s = d->find(sectionName);
    if (!s) {
        d->sections.push_back(Section{sectionName, {}});
        s = &d->sections.back();
    }
    if (Entry* e = Impl::findKey(s, key))
        e->value = singleLine(value);
    else
        s->entries.push_back(Entry{key, singleLine(value), false});
}

void TIniFile::WriteInteger(const QString& section, const QString& ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const
{
    return d->find(section) != nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& ident) const
{
    return d->findValue(section, ident) != nullptr;
}

void TIniFile::EraseSection(const QString& section)
{
    for (auto it = d->sections.begin(); it != d->sections.end(); ++it) {
        if (AnsiSameText(it->name, section)) {
            d->sections.erase(it);
            return;
        }
    }
}

void TIniFile::DeleteKey(const QString& section, const QString& ident)
{
    Section* s = d->find(section);
    if (!s)
        return;
    for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
        if (!it->raw && AnsiSameText(it->key, ident)) {
            s->entries.erase(it);
            return;
        }
    }
}

void TIniFile::ReadSection(const QString& section, TStringList& idents) const
{
    idents.BeginUpdate();
    idents.Clear();
    if (const Section* s = d->find(section))
        for (const Entry& e : s->entries)
            if (!e.raw)
                idents.Add(e.key);
    idents.EndUpdate();
}

void TIniFile::ReadSectionValues(const QString& section, TStringList& values) const
{
    values.BeginUpdate();
    values.Clear();
    if (const Section* s = d->find(section))
        for (const Entry& e : s->entries)
            if (!e.raw)
                values.Add(e.key + QLatin1Char('=') + e.value);
    values.EndUpdate();
}

void TIniFile::ReadSections(TStringList& sections) const
{
    sections.BeginUpdate();
    sections.Clear();
    for (const Section& s : d->sections)
        sections.Add(s.name);
    sections.EndUpdate();
}

bool TIniFile::UpdateFile()
{
    // Writing only what this store holds would throw away the unread file.
    if (d->loadFailed)
        return false;
    return WriteFileAtomically(d->fileName, d->render().toUtf8(), &d->lastError);
}

QString TIniFile::LastError() const
{
    return d->lastError;
}

bool TIniFile::ReadFailed() const
{
    return d->loadFailed;
}

QString EscapeIniValue(const QString& value)
{
    QString out;
    out.reserve(value.size() + 2);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else
            out += c;
    }
    const auto needsQuotes = [](QChar c) { return c.unicode() <= ' ' || c == QLatin1Char('"'); };
    if (!out.isEmpty() && (needsQuotes(out.front()) || needsQuotes(out.back())))
        return QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

QString UnescapeIniValue(const QString& text)
{
    QStringView in(text);
    if (in.size() >= 2 && in.front() == QLatin1Char('"') && in.back() == QLatin1Char('"'))
        in = in.mid(1, in.size() - 2);
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in[i];
        const QChar next = i + 1 < in.size() ? in[i + 1] : QChar();
        if (c == QLatin1Char('\\') && (next == QLatin1Char('\\') || next == QLatin1Char('r') || next == QLatin1Char('n'))) {
            out += next == QLatin1Char('\\') ? QLatin1Char('\\') : next == QLatin1Char('r') ? QLatin1Char('\r') : QLatin1Char('\n');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace fw

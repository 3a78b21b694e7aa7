#include "grid/exchange/FxCsv.h"

#include "framework/TextFile.h"

#include <cstring>

#include <algorithm>
#include <iterator>

namespace fxexchange {

namespace {

constexpr char16_t Quote = u'"';

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Past a line break at pos (CR LF counts as one).
qsizetype SkipBreak(const QString& t, qsizetype pos)
{
    if (pos < t.size() && t[pos] == QLatin1Char('\r'))
        ++pos;
    if (pos < t.size() && t[pos] == QLatin1Char('\n'))
        ++pos;
    return pos;
}

// Occurrences of c outside quotes: all of them, and those not in a run of
// an even number of c.
void CountOutsideQuotes(const QString& line, QChar c, int& all, int& unpaired)
{
    all = unpaired = 0;
    bool quoted = false;
    int run = 0;
    auto endRun = [&] {
        all += run;
        if (run % 2)
            unpaired += run;
        run = 0;
    };
    for (const QChar ch : line) {
        if (ch == QChar(Quote) && c != QChar(Quote)) {
            endRun();
            quoted = !quoted;
            continue;
        }
        if (!quoted && ch == c) {
            ++run;
            continue;
        }
        endRun();
    }
    endRun();
}

} // namespace

const QChar CsvDelimiterCandidates[10] = {QChar(0x2C), QChar(0x3B), QChar(0x23), QChar(0x09), QChar(0x7C),
                                          QChar(0x40), QChar(0x2A), QChar(0x2D), QChar(0x2B), QChar(0x26)};

QString EncodeCsvField(const QString& text, const TCsvFlavour& f)
{
    QString v = text;
    if (f.JavaCSV) {
        if (v.isEmpty())
            return QStringLiteral("^");
        v.remove(QLatin1Char('\n'));
        v.replace(QLatin1Char('\r'), QLatin1Char('~'));
    }
    if (v.isEmpty())
        return f.QuoteEmptyCells || f.AlwaysQuotes ? QStringLiteral("\"\"") : QString();
    bool quote = f.AlwaysQuotes || v.startsWith(QLatin1Char(' '));
    if (!quote) {
        for (const QChar c : v)
            if (c == f.Delimiter || c == QChar(Quote) || IsBreak(c.unicode())) {
                quote = true;
                break;
            }
    }
    if (!quote)
        return v;
    v.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

TCsvWriter::TCsvWriter(const TCsvFlavour& f, bool utf8) : Flavour(f), Utf8(utf8)
{
    Special[u'"'] = Special[u'\r'] = Special[u'\n'] = true;
    if (f.Delimiter.unicode() < 128)
        Special[f.Delimiter.unicode()] = true;
}

char* TCsvWriter::Room(qsizetype bytes)
{
    if (Sink && Length > 0 && Length + bytes > ChunkBytes)
        Flush();
    if (Bytes.size() - Length < bytes)
        Bytes.resize(std::max(Length + bytes, Bytes.size() * 2 + 4096));
    return Bytes.data() + Length;
}

// Encodes s[i] (and its low surrogate, which moves i on) at p; at most
// three bytes per UTF-16 unit.
char* TCsvWriter::Put(char* p, const char16_t* s, qsizetype& i, qsizetype n)
{
    const char16_t c = s[i];
    if (c < 0x80) {
        *p++ = char(c);
    } else if (!Utf8) {
        if (c >= 0xA0 && c <= 0xFF)
            *p++ = char(c);
        else
            *p++ = fw::EncodeCp1252(QString(QChar(c))).at(0);
    } else if (c < 0x800) {
        *p++ = char(0xC0 | (c >> 6));
        *p++ = char(0x80 | (c & 0x3F));
    } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
        const char32_t u = QChar::surrogateToUcs4(c, s[++i]);
        *p++ = char(0xF0 | (u >> 18));
        *p++ = char(0x80 | ((u >> 12) & 0x3F));
        *p++ = char(0x80 | ((u >> 6) & 0x3F));
        *p++ = char(0x80 | (u & 0x3F));
    } else {
        // A lone surrogate is no character: the replacement character.
        const char32_t u = QChar::isSurrogate(c) ? 0xFFFD : c;
        *p++ = char(0xE0 | (u >> 12));
        *p++ = char(0x80 | ((u >> 6) & 0x3F));
        *p++ = char(0x80 | (u & 0x3F));
    }
    return p;
}

void TCsvWriter::Text(QStringView text)
{
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    char* p = Room(3 * n);
    for (qsizetype i = 0; i < n; ++i)
        p = Put(p, s, i, n);
    Length = p - Bytes.data();
}

void TCsvWriter::Field(QStringView text)
{
    if (!FirstField) {
        const char16_t d = Flavour.Delimiter.unicode();
        if (d < 0x80) {
            *Room(1) = char(d);
            ++Length;
        } else {
            Text(QStringView(&d, 1));
        }
    }
    FirstField = false;
    if (Flavour.JavaCSV) {
        Text(EncodeCsvField(text.toString(), Flavour));
        return;
    }
    const qsizetype n = text.size();
    if (n == 0) {
        if (Flavour.QuoteEmptyCells || Flavour.AlwaysQuotes)
            Text(u"\"\"");
        return;
    }
    const char16_t* s = text.utf16();
    const char16_t delimiter = Flavour.Delimiter.unicode();
    // Two quotes around, and a doubled quote is two bytes for one unit.
    char* const start = Room(3 * n + 2);
    char* p = start;
    bool quoted = Flavour.AlwaysQuotes || s[0] == u' ';
    if (quoted)
        *p++ = '"';
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 128 ? Special[c] : c == delimiter) {
            if (!quoted) {
                std::memmove(start + 1, start, size_t(p - start));
                *start = '"';
                ++p;
                quoted = true;
            }
            if (c == u'"')
                *p++ = '"';
        }
        if (c < 0x80)
            *p++ = char(c);
        else
            p = Put(p, s, i, n);
    }
    if (quoted)
        *p++ = '"';
    Length = p - Bytes.data();
}

void TCsvWriter::EndRecord()
{
    char* p = Room(2);
    p[0] = '\r';
    p[1] = '\n';
    Length += 2;
    FirstField = true;
}

void TCsvWriter::SetSink(std::function<void(const char*, qsizetype)> sink)
{
    Sink = std::move(sink);
    if (Sink && Bytes.size() < ChunkBytes)
        Bytes.resize(ChunkBytes);
}

void TCsvWriter::Flush()
{
    if (Sink && Length > 0) {
        const qsizetype n = Length;
        Length = 0;
        Sink(Bytes.constData(), n);
    }
}

QByteArray TCsvWriter::TakeBytes()
{
    Bytes.truncate(Length);
    Length = 0;
    FirstField = true;
    return std::move(Bytes);
}

bool TCsvReader::Next(QStringList& fields)
{
    fields.clear();
    const qsizetype n = Text.size();
    if (Pos >= n)
        return false;
    const QChar* t = Text.constData();
    const char16_t d = Delimiter.unicode();
    const bool split = d != 0;
    for (;;) {
        // One field from Pos.
        qsizetype p = Pos;
        while (p < n && t[p].unicode() == u' ')
            ++p;
        if (p < n && t[p].unicode() == Quote) {
            QString field;
            ++p;
            for (;;) {
                qsizetype q = p;
                while (q < n && t[q].unicode() != Quote)
                    ++q;
                field.append(t + p, q - p);
                if (q >= n) {   // unclosed: the rest is the field
                    p = n;
                    break;
                }
                if (q + 1 < n && t[q + 1].unicode() == Quote) {
                    field += QChar(Quote);
                    p = q + 2;
                    continue;
                }
                p = q + 1;
                break;
            }
            // Anything after the closing quote up to the delimiter stays.
            qsizetype e = p;
            while (e < n && !(split && t[e].unicode() == d) && !IsBreak(t[e].unicode()))
                ++e;
            field.append(t + p, e - p);
            fields << field;
            p = e;
        } else {
            qsizetype e = Pos;
            while (e < n && !(split && t[e].unicode() == d) && !IsBreak(t[e].unicode()))
                ++e;
            fields << QString(t + Pos, e - Pos);
            p = e;
        }
        if (p < n && split && t[p].unicode() == d) {
            Pos = p + 1;
            continue;
        }
        Pos = SkipBreak(Text, p);
        return true;
    }
}

bool TCsvReader::Skip()
{
    const qsizetype n = Text.size();
    if (Pos >= n)
        return false;
    const QChar* t = Text.constData();
    const char16_t d = Delimiter.unicode();
    const bool split = d != 0;
    qsizetype p = Pos;
    for (;;) {
        // The same field boundaries as Next: a quote after the leading
        // blanks opens a quoted part, a doubled quote stays inside it.
        qsizetype q = p;
        while (q < n && t[q].unicode() == u' ')
            ++q;
        if (q < n && t[q].unicode() == Quote) {
            p = q + 1;
            for (;;) {
                while (p < n && t[p].unicode() != Quote)
                    ++p;
                if (p >= n)
                    break;
                if (p + 1 < n && t[p + 1].unicode() == Quote) {
                    p += 2;
                    continue;
                }
                ++p;
                break;
            }
        }
        while (p < n && !(split && t[p].unicode() == d) && !IsBreak(t[p].unicode()))
            ++p;
        if (p < n && split && t[p].unicode() == d) {
            ++p;
            continue;
        }
        Pos = SkipBreak(Text, p);
        return true;
    }
}

QString TCsvReader::PeekRecord(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    bool quoted = false;
    qsizetype p = pos;
    while (p < text.size()) {
        const char16_t c = text[p].unicode();
        if (c == Quote)
            quoted = !quoted;
        else if (!quoted && IsBreak(c))
            break;
        ++p;
    }
    pos = SkipBreak(text, p);
    return text.mid(start, p - start);
}

QChar SniffCsvDelimiter(const QString& first, const QString& second)
{
    struct TCounts {
        int all1, unpaired1, all2, unpaired2;
    };
    TCounts counts[std::size(CsvDelimiterCandidates)];
    for (size_t i = 0; i < std::size(CsvDelimiterCandidates); ++i) {
        TCounts& k = counts[i];
        CountOutsideQuotes(first, CsvDelimiterCandidates[i], k.all1, k.unpaired1);
        CountOutsideQuotes(second, CsvDelimiterCandidates[i], k.all2, k.unpaired2);
    }
    // Each rule keeps a running best; the first rule that chooses wins.
    int best = 0;
    auto choose = [&](auto rule) {
        QChar chosen(0);
        for (size_t i = 0; i < std::size(CsvDelimiterCandidates); ++i)
            if (const int n = rule(counts[i]); n > best) {
                best = n;
                chosen = CsvDelimiterCandidates[i];
            }
        return chosen;
    };
    QChar d = choose([](const TCounts& k) { return k.unpaired1 == k.unpaired2 ? k.unpaired1 : 0; });
    if (!d.unicode())
        d = choose([](const TCounts& k) { return k.all1 == k.all2 ? k.all1 : 0; });
    if (!d.unicode())
        d = choose([](const TCounts& k) { return std::max(k.all1, k.all2); });
    return d;
}

QString DecodeCsvField(const QString& field, bool javaCsv)
{
    if (javaCsv) {
        if (field == QLatin1String("^"))
            return QString();
        if (!field.contains(QLatin1Char('~')))
            return field;
        QString v = field;
        return v.replace(QLatin1Char('~'), QStringLiteral("\r\n"));
    }
    if (!field.contains(QChar(11)))
        return field;
    QString v = field;
    return v.replace(QChar(11), QStringLiteral("\r\n"));
}

} // namespace fxexchange

#include "framework/Workbook.h"

#include "framework/AtomicFile.h"
#include "framework/DateTime.h"
#include "framework/SharedLibrary.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"
#include "framework/Zip.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>
#include <pugixml.hpp>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>

namespace fw {

namespace {

const char* const MainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const RelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const WorksheetType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* const WorksheetContent = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

[[noreturn]] void Fail(const QString& fileName, const QString& why)
{
    throw EFileError(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": ") + why);
}

// Element names compared without their namespace prefix.
const char* LocalName(const pugi::xml_node& n)
{
    const char* name = n.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool Is(const pugi::xml_node& n, const char* local)
{
    return std::strcmp(LocalName(n), local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& n, const char* local)
{
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && Is(c, local))
            return c;
    return {};
}

pugi::xml_attribute Attr(const pugi::xml_node& n, const char* local)
{
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        const char* name = a.name();
        const char* colon = std::strrchr(name, ':');
        if (std::strcmp(colon ? colon + 1 : name, local) == 0)
            return a;
    }
    return {};
}

void Parse(pugi::xml_document& doc, const QByteArray& bytes, const QString& fileName, const QString& part)
{
    const pugi::xml_parse_result r = doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    if (!r)
        Fail(fileName, part + QStringLiteral(": ") + QString::fromUtf8(r.description()));
}

QString Utf8(const char* s)
{
    return QString::fromUtf8(s);
}

// The concatenated text of every <t> below n (shared and inline strings,
// with or without rich runs; phonetic runs left out).
QString StringItemText(const pugi::xml_node& n)
{
    QString out;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || Is(c, "rPh"))
            continue;
        if (Is(c, "t"))
            out += Utf8(c.text().get());
        else
            out += StringItemText(c);
    }
    return out;
}

// "B3" -> (3, 2); false for anything else.
bool ParseCellRef(const QString& ref, int& row, int& col)
{
    QString s = ref;
    s.remove(QLatin1Char('$'));
    qsizetype i = 0;
    while (i < s.size() && s.at(i).isLetter())
        ++i;
    col = ColumnNumber(s.left(i));
    bool ok = false;
    row = s.mid(i).toInt(&ok);
    return ok && col >= 1 && col <= MaxSheetCols && row >= 1 && row <= MaxSheetRows;
}

bool IsDateFormat(const QString& code)
{
    QString s;
    bool quoted = false;
    int bracket = 0;
    for (QChar ch : code) {
        if (ch == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && ch == QLatin1Char('['))
            ++bracket;
        else if (!quoted && ch == QLatin1Char(']'))
            bracket = std::max(0, bracket - 1);
        else if (!quoted && bracket == 0)
            s += ch.toLower();
    }
    if (s.contains(QLatin1String("general")))
        return false;
    for (QChar ch : s)
        if (ch == QLatin1Char('d') || ch == QLatin1Char('m') || ch == QLatin1Char('y') || ch == QLatin1Char('h') ||
            ch == QLatin1Char('s'))
            return true;
    return false;
}

bool IsBuiltinDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
}

qint64 Key(int row, int col)
{
    return (qint64(row) << 16) | col;
}

struct TSheetData {
    bool Parsed = false;
    QString Dimension;   // as the sheet records it
    int MinRow = 0, MinCol = 0, MaxRow = 0, MaxCol = 0;
    QHash<qint64, TSheetValue> Cells;
    void Note(int row, int col)
    {
        if (MinRow == 0 || row < MinRow) MinRow = row;
        if (MinCol == 0 || col < MinCol) MinCol = col;
        MaxRow = std::max(MaxRow, row);
        MaxCol = std::max(MaxCol, col);
    }
};

QString NumberText(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    return QString::number(v, 'g', 15);
}

} // namespace

QString TSheetValue::ToText() const
{
    switch (Kind) {
    case Empty: return QString();
    case Text: case Error: return Str;
    case Boolean: return Num != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Number: return NumberText(Num);
    case DateTime: {
        const double days = std::floor(Num);
        if (Num == days)
            return DateToStr(Num);
        if (days == 0)
            return TimeToStr(Num);
        return DateTimeToStr(Num);
    }
    }
    return QString();
}

QString ColumnLetters(int col)
{
    QString out;
    while (col > 0) {
        const int rem = (col - 1) % 26;
        out.prepend(QChar(u'A' + rem));
        col = (col - 1) / 26;
    }
    return out;
}

int ColumnNumber(const QString& letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        const QChar u = ch.toUpper();
        if (u < QLatin1Char('A') || u > QLatin1Char('Z'))
            return 0;
        n = n * 26 + (u.unicode() - u'A' + 1);
    }
    return n;
}

// ---------------------------------------------------------------- legacy cached values

namespace {

// The compound-file library, loaded when the first legacy workbook is read.
struct TLibGsf {
    decltype(&gsf_init) init = nullptr;
    decltype(&gsf_input_stdio_new) open_file = nullptr;
    decltype(&gsf_infile_msole_new) open_compound = nullptr;
    decltype(&gsf_infile_num_children) child_count = nullptr;
    decltype(&gsf_infile_name_by_index) child_name = nullptr;
    decltype(&gsf_infile_child_by_index) child = nullptr;
    decltype(&gsf_input_size) size = nullptr;
    decltype(&gsf_input_read) read = nullptr;
    decltype(&g_object_unref) unref = nullptr;   // found among the library's own dependencies
};

const TLibGsf& LibGsf(const QString& fileName)
{
    static const TLibGsf* const loaded = [] {
        const TLibGsf* api = LoadSharedApi<TLibGsf>("libgsf-1.so.114", [](TLibGsf& a, auto bind) {
            return bind(a.init, "gsf_init") && bind(a.open_file, "gsf_input_stdio_new") &&
                   bind(a.open_compound, "gsf_infile_msole_new") && bind(a.child_count, "gsf_infile_num_children") &&
                   bind(a.child_name, "gsf_infile_name_by_index") && bind(a.child, "gsf_infile_child_by_index") &&
                   bind(a.size, "gsf_input_size") && bind(a.read, "gsf_input_read") &&
                   bind(a.unref, "g_object_unref");
        });
        if (api)
            api->init();
        return api;
    }();
    if (!loaded)
        Fail(fileName, QStringLiteral("the compound-file library (libgsf-1.so.114) cannot be loaded"));
    return *loaded;
}

// The workbook stream of a legacy workbook ("Workbook", or "Book" of the
// older format), read whole; empty when the file holds none.
QByteArray WorkbookStream(const QString& fileName)
{
    const TLibGsf& gsf = LibGsf(fileName);
    auto release = [&](void* object) {
        if (object)
            gsf.unref(object);
    };
    const QByteArray path = QFile::encodeName(fileName);
    GsfInput* file = gsf.open_file(path.constData(), nullptr);
    if (!file)
        Fail(fileName, QStringLiteral("cannot be opened"));
    GsfInfile* compound = gsf.open_compound(file, nullptr);
    QByteArray bytes;
    GsfInput* stream = nullptr;
    if (compound) {
        int best = -1;
        for (int i = 0; i < gsf.child_count(compound); ++i) {
            const QString name = QString::fromUtf8(gsf.child_name(compound, i));
            if (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0)
                best = i;
            else if (best < 0 && name.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0)
                best = i;
        }
        if (best >= 0)
            stream = gsf.child(compound, best);
    }
    if (stream) {
        const gsf_off_t size = gsf.size(stream);
        if (size > 0 && size <= TZipArchive::MaxTotalBytes) {
            bytes.resize(qsizetype(size));
            if (!gsf.read(stream, size_t(size), reinterpret_cast<guint8*>(bytes.data())))
                bytes.clear();
        }
    }
    release(stream);
    release(compound);
    release(file);
    return bytes;
}

// [at, at + len) of d, cut at its end.
QByteArrayView Slice(QByteArrayView d, qsizetype at, qsizetype len)
{
    if (at < 0 || at >= d.size() || len <= 0)
        return {};
    return d.sliced(at, std::min(len, d.size() - at));
}

quint16 U16(QByteArrayView d, qsizetype at)
{
    return at + 2 <= d.size() ? quint16(quint8(d[at]) | (quint8(d[at + 1]) << 8)) : 0;
}

quint32 U32(QByteArrayView d, qsizetype at)
{
    return at + 4 <= d.size() ? quint32(U16(d, at)) | (quint32(U16(d, at + 2)) << 16) : 0;
}

double F64(QByteArrayView d, qsizetype at)
{
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | quint8(d[at + i]);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString ErrorText(int code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    }
    return QStringLiteral("#ERROR");
}

// The records of a workbook stream: id, length, data, one after another.
class TBiffRecords {
public:
    explicit TBiffRecords(const QByteArray& stream) : FData(stream) {}
    void Seek(qsizetype pos) { FNext = pos; }
    // The next record, false at the end of the stream or at a record cut short.
    bool Next()
    {
        if (FNext < 0 || FNext + 4 > FData.size())
            return false;
        const QByteArrayView all(FData);
        Id = U16(all, FNext);
        const qsizetype len = U16(all, FNext + 2);
        if (FNext + 4 + len > FData.size())
            return false;
        Data = Slice(all, FNext + 4, len);
        FNext += 4 + len;
        return true;
    }
    quint16 PeekId() const { return FNext + 2 <= FData.size() ? U16(QByteArrayView(FData), FNext) : 0; }

    quint16 Id = 0;
    QByteArrayView Data;

private:
    const QByteArray& FData;
    qsizetype FNext = 0;
};

enum : quint16 {
    BiffFormula = 0x0006, BiffEof = 0x000A, BiffFilePass = 0x002F, BiffContinue = 0x003C, BiffBoundSheet = 0x0085,
    BiffXf = 0x00E0, BiffBoolErr = 0x0205, BiffString = 0x0207, BiffFormat = 0x041E, BiffBof = 0x0809,
};

// A string of the newer format: flags, then the characters in one or two
// bytes each, with rich-text runs and extensions skipped. The characters
// may go on in CONTINUE records, each with its own flags byte. `at` points
// at the flags byte of the first record.
QString UnicodeString(TBiffRecords& records, qsizetype count, qsizetype at)
{
    QString out;
    QByteArrayView d = records.Data;
    if (at >= d.size())
        return out;
    const quint8 flags = quint8(d[at++]);
    if (flags & 0x08)
        at += 2;   // rich-text run count
    if (flags & 0x04)
        at += 4;   // extension size
    bool wide = flags & 0x01;
    for (;;) {
        const qsizetype width = wide ? 2 : 1;
        while (out.size() < count && at + width <= d.size()) {
            out += QChar(wide ? U16(d, at) : quint8(d[at]));
            at += width;
        }
        if (out.size() >= count || records.PeekId() != BiffContinue || !records.Next() || records.Data.isEmpty())
            return out;
        d = records.Data;
        wide = quint8(d[0]) & 0x01;
        at = 1;
    }
}

using TCachedSheet = QHash<qint64, TSheetValue>;

// What the sheets' cached values need of a legacy workbook's stream: its
// worksheets and where they start, and which cell formats show dates.
struct TBiffBook {
    QByteArray Stream;
    bool Biff8 = true;
    std::vector<std::pair<QString, qsizetype>> Sheets;
    std::vector<int> XfFormats;           // number format of each cell format
    std::map<int, bool> CustomDates;      // number formats of the workbook: shows a date
    bool IsDate(int xf) const
    {
        if (xf < 0 || xf >= int(XfFormats.size()))
            return false;
        const int format = XfFormats[size_t(xf)];
        const auto it = CustomDates.find(format);
        return it != CustomDates.end() ? it->second : IsBuiltinDateFormat(format);
    }
};

// The workbook's global records. An encrypted workbook gives no sheets.
TBiffBook ReadBiffBook(QByteArray stream)
{
    TBiffBook book;
    book.Stream = std::move(stream);
    TBiffRecords records(book.Stream);
    if (!records.Next() || records.Id != BiffBof)
        return book;
    const bool biff8 = book.Biff8 = U16(records.Data, 0) == 0x0600;
    while (records.Next() && records.Id != BiffEof) {
        const QByteArrayView d = records.Data;
        switch (records.Id) {
        case BiffFilePass:
            book.Sheets.clear();
            return book;
        case BiffBoundSheet: {
            if (d.size() < 8 || quint8(d[5]) != 0)
                break;   // a chart or macro sheet
            const qsizetype count = quint8(d[6]);
            const QString name =
                biff8 ? UnicodeString(records, count, 7) : QString::fromLatin1(Slice(d, 7, count));
            book.Sheets.emplace_back(name, qsizetype(U32(d, 0)));
            break;
        }
        case BiffXf:
            book.XfFormats.push_back(U16(d, 2));
            break;
        case BiffFormat: {
            const int id = U16(d, 0);
            const QString code = biff8 ? UnicodeString(records, U16(d, 2), 4)
                                       : QString::fromLatin1(Slice(d, 3, d.size() > 2 ? quint8(d[2]) : 0));
            book.CustomDates[id] = IsDateFormat(code);
            break;
        }
        default:
            break;
        }
    }
    return book;
}

// Cached results of formulas, and true/false and error cells, of the
// worksheet of that name (the first of it): the legacy reader reports
// formulas as empty and true/false as numbers. Only that sheet's records
// are read.
TCachedSheet CachedValues(const TBiffBook& book, const QString& sheetName)
{
    TCachedSheet cells;
    const auto sheet = std::find_if(book.Sheets.begin(), book.Sheets.end(),
                                    [&](const auto& s) { return s.first == sheetName; });
    if (sheet == book.Sheets.end())
        return cells;
    const bool biff8 = book.Biff8;
    TBiffRecords records(book.Stream);
    records.Seek(sheet->second);
    if (!records.Next() || records.Id != BiffBof)
        return cells;
    int depth = 1;   // charts inside a sheet are substreams of their own
    qint64 pendingString = -1;
    while (depth > 0 && records.Next()) {
        const QByteArrayView d = records.Data;
        if (records.Id == BiffBof) {
            ++depth;
            continue;
        }
        if (records.Id == BiffEof) {
            --depth;
            continue;
        }
        if (depth != 1)
            continue;
        const int row = U16(d, 0) + 1, col = U16(d, 2) + 1;
        if (records.Id == BiffFormula && d.size() >= 16) {
            pendingString = -1;
            TSheetValue v;
            if (U16(d, 12) != 0xFFFF) {
                v.Num = F64(d, 6);
                if (!std::isfinite(v.Num))
                    continue;
                v.Kind = book.IsDate(U16(d, 4)) ? TSheetValue::DateTime : TSheetValue::Number;
            } else if (quint8(d[6]) == 0) {
                pendingString = Key(row, col);   // the text follows in a STRING record
                continue;
            } else if (quint8(d[6]) == 1) {
                v.Kind = TSheetValue::Boolean;
                v.Num = quint8(d[8]) != 0 ? 1 : 0;
            } else if (quint8(d[6]) == 2) {
                v.Kind = TSheetValue::Error;
                v.Str = ErrorText(quint8(d[8]));
            } else {
                continue;   // an empty text
            }
            cells.insert(Key(row, col), v);
        } else if (records.Id == BiffString && pendingString >= 0 && d.size() >= 2) {
            TSheetValue v;
            v.Kind = TSheetValue::Text;
            const qsizetype count = U16(d, 0);
            v.Str = biff8 ? UnicodeString(records, count, 2) : QString::fromLatin1(Slice(d, 2, count));
            if (!v.Str.isEmpty())
                cells.insert(pendingString, v);
            pendingString = -1;
        } else if (records.Id == BiffBoolErr && d.size() >= 8) {
            TSheetValue v;
            if (quint8(d[7]) == 0) {
                v.Kind = TSheetValue::Boolean;
                v.Num = quint8(d[6]) != 0 ? 1 : 0;
            } else {
                v.Kind = TSheetValue::Error;
                v.Str = ErrorText(quint8(d[6]));
            }
            cells.insert(Key(row, col), v);
        }
    }
    return cells;
}

} // namespace

// ---------------------------------------------------------------- reading

struct TWorkbook::Impl {
    QString FileName;
    bool Legacy = false;
    TZipArchive Zip;
    QStringList Names;
    QStringList Parts;          // the sheet parts of an .xlsx, by sheet
    int Active = 0;
    QStringList Shared;
    std::vector<bool> DateStyles;
    std::vector<TSheetData> Sheets;
    // The records of a legacy workbook, read at its first sheet.
    std::optional<TBiffBook> Biff;
    const void* Xls = nullptr;   // the legacy reader's handle

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        if (Xls)
            freexl_close(Xls);
    }

    void ReadXlsx();
    void ReadXls();
    TSheetData& Sheet(int index);
    void ParseXlsxSheet(int index, TSheetData& s);
    void ParseXlsSheet(int index, TSheetData& s);
};

TWorkbook TWorkbook::Open(const QString& fileName)
{
    TWorkbook w;
    w.d = std::make_shared<Impl>();
    w.d->FileName = fileName;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        Fail(fileName, f.errorString());
    const QByteArray head = f.read(8);
    f.close();
    if (head.startsWith("\xD0\xCF\x11\xE0")) {
        w.d->Legacy = true;
        w.d->ReadXls();
    } else {
        w.d->ReadXlsx();
    }
    w.d->Sheets.resize(size_t(w.d->Names.size()));
    return w;
}

void TWorkbook::Impl::ReadXlsx()
{
    Zip = TZipArchive::Read(FileName);
    const QString wbPart = QStringLiteral("xl/workbook.xml");
    if (!Zip.Has(wbPart))
        Fail(FileName, QStringLiteral("no workbook"));
    // Relationship targets of the workbook.
    std::map<QString, QString> targets;
    {
        pugi::xml_document rels;
        Parse(rels, Zip.Entry(QStringLiteral("xl/_rels/workbook.xml.rels")), FileName, QStringLiteral("relations"));
        for (pugi::xml_node r = rels.document_element().first_child(); r; r = r.next_sibling()) {
            QString target = Utf8(Attr(r, "Target").value());
            if (target.startsWith(QLatin1Char('/')))
                target = target.mid(1);
            else
                target = QStringLiteral("xl/") + target;
            targets[Utf8(Attr(r, "Id").value())] = target;
        }
    }
    pugi::xml_document wb;
    Parse(wb, Zip.Entry(wbPart), FileName, QStringLiteral("workbook"));
    const pugi::xml_node root = wb.document_element();
    for (pugi::xml_node s = Child(Child(root, "sheets"), "sheet"); s; s = s.next_sibling()) {
        if (!Is(s, "sheet"))
            continue;
        Names << Utf8(Attr(s, "name").value());
        Parts << targets[Utf8(Attr(s, "id").value())];
    }
    if (const pugi::xml_node view = Child(Child(root, "bookViews"), "workbookView"))
        Active = std::clamp(view.attribute("activeTab").as_int(0), 0, std::max<int>(0, int(Names.size()) - 1));
    if (const QByteArray sst = Zip.Entry(QStringLiteral("xl/sharedStrings.xml")); !sst.isEmpty()) {
        pugi::xml_document doc;
        Parse(doc, sst, FileName, QStringLiteral("shared strings"));
        for (pugi::xml_node si = doc.document_element().first_child(); si; si = si.next_sibling())
            if (si.type() == pugi::node_element && Is(si, "si"))
                Shared << StringItemText(si);
    }
    if (const QByteArray styles = Zip.Entry(QStringLiteral("xl/styles.xml")); !styles.isEmpty()) {
        pugi::xml_document doc;
        Parse(doc, styles, FileName, QStringLiteral("styles"));
        const pugi::xml_node ss = doc.document_element();
        std::map<int, bool> custom;
        for (pugi::xml_node f = Child(ss, "numFmts").first_child(); f; f = f.next_sibling())
            custom[f.attribute("numFmtId").as_int()] = IsDateFormat(Utf8(f.attribute("formatCode").value()));
        for (pugi::xml_node xf = Child(ss, "cellXfs").first_child(); xf; xf = xf.next_sibling()) {
            if (xf.type() != pugi::node_element)
                continue;
            const int id = xf.attribute("numFmtId").as_int();
            const auto it = custom.find(id);
            DateStyles.push_back(it != custom.end() ? it->second : IsBuiltinDateFormat(id));
        }
    }
}

void TWorkbook::Impl::ReadXls()
{
    const void* h = nullptr;
    const QByteArray path = QFile::encodeName(FileName);
    const int rc = freexl_open(path.constData(), &h);
    if (rc != FREEXL_OK) {
        freexl_close(h);
        Fail(FileName, QStringLiteral("not a readable workbook (code %1)").arg(rc));
    }
    unsigned int count = 0;
    freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &count);
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        freexl_get_worksheet_name(h, static_cast<unsigned short>(i), &name);
        Names << Utf8(name ? name : "");
    }
    // Kept for the sheets: opening a workbook reads all of its cells.
    Xls = h;
}

TSheetData& TWorkbook::Impl::Sheet(int index)
{
    if (index < 0 || index >= int(Sheets.size()))
        Fail(FileName, QStringLiteral("no sheet %1").arg(index + 1));
    TSheetData& s = Sheets[size_t(index)];
    if (!s.Parsed) {
        if (Legacy)
            ParseXlsSheet(index, s);
        else
            ParseXlsxSheet(index, s);
        s.Parsed = true;
    }
    return s;
}

void TWorkbook::Impl::ParseXlsxSheet(int index, TSheetData& s)
{
    const QString part = Parts.value(index);
    if (!Zip.Has(part))
        Fail(FileName, QStringLiteral("sheet ") + Names.value(index) + QStringLiteral(" is missing"));
    pugi::xml_document doc;
    Parse(doc, Zip.Entry(part), FileName, Names.value(index));
    const pugi::xml_node ws = doc.document_element();
    s.Dimension = Utf8(Attr(Child(ws, "dimension"), "ref").value());
    for (pugi::xml_node row = Child(Child(ws, "sheetData"), "row"); row; row = row.next_sibling()) {
        for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || !Is(c, "c"))
                continue;
            int r = 0, col = 0;
            if (!ParseCellRef(Utf8(c.attribute("r").value()), r, col))
                continue;
            const QString t = Utf8(c.attribute("t").value());
            const pugi::xml_node v = Child(c, "v");
            TSheetValue value;
            if (t == QLatin1String("s")) {
                const int i = v.text().as_int(-1);
                if (i < 0 || i >= Shared.size())
                    continue;
                value.Kind = TSheetValue::Text;
                value.Str = Shared.at(i);
            } else if (t == QLatin1String("inlineStr")) {
                value.Kind = TSheetValue::Text;
                value.Str = StringItemText(Child(c, "is"));
            } else if (t == QLatin1String("str") || t == QLatin1String("d")) {
                if (!v)
                    continue;
                value.Kind = TSheetValue::Text;
                value.Str = Utf8(v.text().get());
            } else if (t == QLatin1String("b")) {
                if (!v)
                    continue;
                value.Kind = TSheetValue::Boolean;
                value.Num = v.text().as_int() != 0 ? 1 : 0;
            } else if (t == QLatin1String("e")) {
                value.Kind = TSheetValue::Error;
                value.Str = Utf8(v.text().get());
            } else {
                if (!v)
                    continue;   // formatted but empty
                bool ok = false;
                value.Num = QString::fromUtf8(v.text().get()).toDouble(&ok);
                if (!ok)
                    continue;
                const int style = c.attribute("s").as_int(0);
                value.Kind = style >= 0 && style < int(DateStyles.size()) && DateStyles[size_t(style)]
                                 ? TSheetValue::DateTime
                                 : TSheetValue::Number;
            }
            s.Note(r, col);
            s.Cells.insert(Key(r, col), value);
        }
    }
}

void TWorkbook::Impl::ParseXlsSheet(int index, TSheetData& s)
{
    const void* h = Xls;
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(h, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(h, &rows, &cols) != FREEXL_OK) {
        Fail(FileName, QStringLiteral("sheet ") + Names.value(index));
    }
    rows = std::min<unsigned int>(rows, MaxSheetRows);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols && c < MaxSheetCols; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(h, r, c, &cell) != FREEXL_OK)
                continue;
            TSheetValue value;
            switch (cell.type) {
            case FREEXL_CELL_INT: value.Kind = TSheetValue::Number; value.Num = cell.value.int_value; break;
            case FREEXL_CELL_DOUBLE: value.Kind = TSheetValue::Number; value.Num = cell.value.double_value; break;
            case FREEXL_CELL_TEXT: case FREEXL_CELL_SST_TEXT:
                value.Kind = TSheetValue::Text;
                value.Str = Utf8(cell.value.text_value);
                break;
            case FREEXL_CELL_DATE: case FREEXL_CELL_DATETIME: case FREEXL_CELL_TIME: {
                // "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS"
                const QString text = Utf8(cell.value.text_value);
                const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
                const QDate date = QDate::fromString(text, Qt::ISODate);
                const QTime time = QTime::fromString(text, Qt::ISODate);
                value.Kind = TSheetValue::DateTime;
                if (cell.type == FREEXL_CELL_DATE && date.isValid())
                    value.Num = EncodeDate(date.year(), date.month(), date.day());
                else if (cell.type == FREEXL_CELL_TIME && time.isValid())
                    value.Num = EncodeTime(time.hour(), time.minute(), time.second(), 0);
                else if (dt.isValid())
                    value.Num = EncodeDateTime(dt.date().year(), dt.date().month(), dt.date().day(),
                                                  dt.time().hour(), dt.time().minute(), dt.time().second(), 0);
                else {
                    value.Kind = TSheetValue::Text;
                    value.Str = text;
                }
                break;
            }
            default: continue;
            }
            s.Note(int(r) + 1, int(c) + 1);
            s.Cells.insert(Key(int(r) + 1, int(c) + 1), value);
        }
    }
    // Formula results and true/false cells come from the workbook stream's
    // own records: the reader above reports formulas as empty and true/false
    // as the numbers 1 and 0.
    if (!Biff)
        Biff = ReadBiffBook(WorkbookStream(FileName));
    const TCachedSheet cached = CachedValues(*Biff, Names.value(index));
    for (auto it = cached.cbegin(); it != cached.cend(); ++it) {
        const int row = int(it.key() >> 16), col = int(it.key() & 0xFFFF);
        if (row > MaxSheetRows || col > MaxSheetCols)
            continue;
        s.Note(row, col);
        s.Cells.insert(it.key(), it.value());
    }
}

QStringList TWorkbook::SheetNames() const
{
    return d->Names;
}

int TWorkbook::ActiveSheet() const
{
    return d->Active;
}

QString TWorkbook::UsedRangeAddress(int sheet) const
{
    TSheetData& s = d->Sheet(sheet);
    // The cells that hold values: a recorded dimension may count cells that
    // hold only a format, up to whole columns, which no grid should take on.
    const int r1 = s.MinRow, c1 = s.MinCol, r2 = s.MaxRow, c2 = s.MaxCol;
    if (r1 == 0)
        return QStringLiteral("$A$1");
    const QString first = QStringLiteral("$%1$%2").arg(ColumnLetters(c1)).arg(r1);
    if (r1 == r2 && c1 == c2)
        return first;
    return first + QStringLiteral(":$%1$%2").arg(ColumnLetters(c2)).arg(r2);
}

TSheetValue TWorkbook::Value(int sheet, int row, int col) const
{
    return d->Sheet(sheet).Cells.value(Key(row, col));
}

std::vector<TWorkbook::TCell> TWorkbook::Cells(int sheet) const
{
    const TSheetData& s = d->Sheet(sheet);
    std::vector<TCell> cells;
    cells.reserve(size_t(s.Cells.size()));
    for (auto it = s.Cells.cbegin(); it != s.Cells.cend(); ++it)
        cells.push_back({int(it.key() >> 16), int(it.key() & 0xFFFF), it.value()});
    std::sort(cells.begin(), cells.end(),
              [](const TCell& a, const TCell& b) { return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col; });
    return cells;
}

// ---------------------------------------------------------------- writing

namespace {

std::optional<double> NumberOf(const QString& text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v) || NumberText(v) != text)
        return std::nullopt;
    return v;
}

} // namespace

namespace {

// The workbook writer, loaded when the first new workbook is written.
struct TLibXlsxWriter {
    decltype(&workbook_new) new_book = nullptr;
    decltype(&workbook_add_worksheet) add_sheet = nullptr;
    decltype(&workbook_close) close_book = nullptr;
    decltype(&worksheet_write_number) write_number = nullptr;
    decltype(&worksheet_write_string) write_string = nullptr;
    decltype(&lxw_strerror) error_text = nullptr;
};

const TLibXlsxWriter& LibXlsxWriter(const QString& fileName)
{
    static const TLibXlsxWriter* const loaded =
        LoadSharedApi<TLibXlsxWriter>("libxlsxwriter.so.4", [](TLibXlsxWriter& api, auto bind) {
        return bind(api.new_book, "workbook_new") &&
               bind(api.add_sheet, "workbook_add_worksheet") &&
               bind(api.close_book, "workbook_close") &&
               bind(api.write_number, "worksheet_write_number") &&
               bind(api.write_string, "worksheet_write_string") &&
               bind(api.error_text, "lxw_strerror");
    });
    if (!loaded)
        throw EFileError(QStringLiteral("Cannot create ") + fileName +
                         QStringLiteral(": the workbook library (libxlsxwriter.so.4) cannot be loaded"));
    return *loaded;
}

} // namespace

void WriteNewWorkbook(const QString& fileName, const QString& sheetName, int firstRow,
                      const std::vector<QStringList>& rows)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": no temporary folder"));
    const TLibXlsxWriter& lib = LibXlsxWriter(fileName);
    const QByteArray tmp = QFile::encodeName(dir.filePath(QStringLiteral("book.xlsx")));
    lxw_workbook* wb = lib.new_book(tmp.constData());
    if (!wb)
        throw EFileError(QStringLiteral("Cannot create ") + fileName);
    const QByteArray name = sheetName.toUtf8();
    lxw_worksheet* ws = lib.add_sheet(wb, sheetName.isEmpty() ? nullptr : name.constData());
    if (!ws) {
        lib.close_book(wb);
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": sheet name ") + sheetName);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        const lxw_row_t row = lxw_row_t(firstRow - 1 + int(r));
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString& text = rows[r][c];
            if (text.isEmpty())
                continue;
            if (const auto n = NumberOf(text))
                lib.write_number(ws, row, lxw_col_t(c), *n, nullptr);
            else
                lib.write_string(ws, row, lxw_col_t(c), text.toUtf8().constData(), nullptr);
        }
    }
    const lxw_error rc = lib.close_book(wb);
    if (rc != LXW_NO_ERROR)
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") +
                         QString::fromUtf8(lib.error_text(rc)));
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(dir.filePath(QStringLiteral("book.xlsx")), TZipArchive::MaxTotalBytes, bytes, &error) ||
        !WriteFileAtomically(fileName, bytes, &error))
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") + error);
}

namespace {

// The cell element of (row, col) in sheetData, made in order when missing.
pugi::xml_node CellNode(pugi::xml_node sheetData, int row, int col, bool create)
{
    pugi::xml_node rowNode;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (!Is(r, "row"))
            continue;
        const int n = r.attribute("r").as_int();
        if (n == row) {
            rowNode = r;
            break;
        }
        if (n > row) {
            if (!create)
                return {};
            rowNode = sheetData.insert_child_before("row", r);
            rowNode.append_attribute("r") = row;
            break;
        }
    }
    if (!rowNode) {
        if (!create)
            return {};
        rowNode = sheetData.append_child("row");
        rowNode.append_attribute("r") = row;
    }
    rowNode.remove_attribute("spans");
    for (pugi::xml_node c = rowNode.first_child(); c; c = c.next_sibling()) {
        if (!Is(c, "c"))
            continue;
        int cr = 0, cc = 0;
        ParseCellRef(Utf8(c.attribute("r").value()), cr, cc);
        if (cc == col)
            return c;
        if (cc > col) {
            if (!create)
                return {};
            pugi::xml_node n = rowNode.insert_child_before("c", c);
            n.append_attribute("r") = (ColumnLetters(col) + QString::number(row)).toUtf8().constData();
            return n;
        }
    }
    if (!create)
        return {};
    pugi::xml_node n = rowNode.append_child("c");
    n.append_attribute("r") = (ColumnLetters(col) + QString::number(row)).toUtf8().constData();
    return n;
}

QByteArray Serialise(const pugi::xml_document& doc)
{
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), qsizetype(size)); }
    } w;
    doc.save(w, "", pugi::format_raw, pugi::encoding_utf8);
    return w.out;
}

} // namespace

void WriteWorkbookSheet(const QString& fileName, const QString& sheetName, int firstRow,
                        const std::vector<QStringList>& rows)
{
    TWorkbook book = TWorkbook::Open(fileName);
    if (book.d->Legacy)
        throw EFileError(QStringLiteral("Cannot write ") + fileName +
                         QStringLiteral(": legacy workbooks are read only; save it as .xlsx"));
    TZipArchive& zip = book.d->Zip;
    int index = -1;
    for (int i = 0; i < book.d->Names.size(); ++i)
        if (book.d->Names[i] == sheetName)
            index = i;   // the last match wins
    QString part;
    pugi::xml_document sheet;
    if (index >= 0) {
        part = book.d->Parts[index];
        Parse(sheet, zip.Entry(part), fileName, sheetName);
    } else {
        // A new sheet part, listed in the workbook, its relations and the content types.
        int n = 1;
        while (zip.Has(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)))
            ++n;
        part = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
        pugi::xml_node ws = sheet.append_child("worksheet");
        ws.append_attribute("xmlns") = MainNs;
        ws.append_attribute("xmlns:r") = RelNs;
        ws.append_child("sheetData");

        pugi::xml_document rels;
        Parse(rels, zip.Entry(QStringLiteral("xl/_rels/workbook.xml.rels")), fileName, QStringLiteral("relations"));
        int rid = 1;
        QString id;
        do {
            id = QStringLiteral("rId%1").arg(rid++);
        } while (rels.document_element().find_child_by_attribute("Id", id.toUtf8().constData()));
        pugi::xml_node rel = rels.document_element().append_child("Relationship");
        rel.append_attribute("Id") = id.toUtf8().constData();
        rel.append_attribute("Type") = WorksheetType;
        rel.append_attribute("Target") = QStringLiteral("worksheets/sheet%1.xml").arg(n).toUtf8().constData();
        zip.SetEntry(QStringLiteral("xl/_rels/workbook.xml.rels"), Serialise(rels));

        pugi::xml_document wb;
        Parse(wb, zip.Entry(QStringLiteral("xl/workbook.xml")), fileName, QStringLiteral("workbook"));
        pugi::xml_node sheets = Child(wb.document_element(), "sheets");
        unsigned maxId = 0;
        for (pugi::xml_node s = sheets.first_child(); s; s = s.next_sibling())
            maxId = std::max(maxId, s.attribute("sheetId").as_uint());
        const QByteArray prefix = QByteArray(sheets.name()).contains(':')
                                      ? QByteArray(sheets.name()).left(QByteArray(sheets.name()).indexOf(':') + 1)
                                      : QByteArray();
        pugi::xml_node s = sheets.append_child((prefix + "sheet").constData());
        s.append_attribute("name") = sheetName.toUtf8().constData();
        s.append_attribute("sheetId") = maxId + 1;
        s.append_attribute("r:id") = id.toUtf8().constData();
        if (!wb.document_element().attribute("xmlns:r"))
            wb.document_element().append_attribute("xmlns:r") = RelNs;
        zip.SetEntry(QStringLiteral("xl/workbook.xml"), Serialise(wb));

        pugi::xml_document types;
        Parse(types, zip.Entry(QStringLiteral("[Content_Types].xml")), fileName, QStringLiteral("content types"));
        pugi::xml_node o = types.document_element().append_child("Override");
        o.append_attribute("PartName") = ("/" + part).toUtf8().constData();
        o.append_attribute("ContentType") = WorksheetContent;
        zip.SetEntry(QStringLiteral("[Content_Types].xml"), Serialise(types));
    }
    pugi::xml_node ws = sheet.document_element();
    pugi::xml_node data = Child(ws, "sheetData");
    if (!data)
        data = ws.append_child("sheetData");
    bool formulasRemoved = false;
    int lastCol = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = firstRow + int(r);
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString& text = rows[r][c];
            lastCol = std::max(lastCol, int(c) + 1);
            pugi::xml_node cell = CellNode(data, row, int(c) + 1, !text.isEmpty());
            if (!cell)
                continue;
            formulasRemoved |= bool(Child(cell, "f"));
            while (pugi::xml_node k = cell.first_child())
                cell.remove_child(k);
            cell.remove_attribute("t");
            if (text.isEmpty())
                continue;   // a cleared value keeps the cell's format
            if (const auto n = NumberOf(text)) {
                cell.append_child("v").text().set(NumberText(*n).toUtf8().constData());
            } else {
                cell.append_attribute("t") = "inlineStr";
                pugi::xml_node t = cell.append_child("is").append_child("t");
                if (text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' ')) || text.contains(QLatin1Char('\n')))
                    t.append_attribute("xml:space") = "preserve";
                t.text().set(text.toUtf8().constData());
            }
        }
    }
    // The recorded dimension grows to cover what was written.
    if (pugi::xml_node dim = Child(ws, "dimension"); dim && !rows.empty() && lastCol > 0) {
        QStringList parts = Utf8(dim.attribute("ref").value()).split(QLatin1Char(':'));
        int r1 = firstRow, c1 = 1, r2 = firstRow + int(rows.size()) - 1, c2 = lastCol;
        int a = 0, b = 0;
        if (!parts.isEmpty() && ParseCellRef(parts.front(), a, b)) {
            r1 = std::min(r1, a);
            c1 = std::min(c1, b);
            if (ParseCellRef(parts.back(), a, b)) {
                r2 = std::max(r2, a);
                c2 = std::max(c2, b);
            }
        }
        const QString ref = ColumnLetters(c1) + QString::number(r1) + QLatin1Char(':') + ColumnLetters(c2) +
                            QString::number(r2);
        dim.attribute("ref").set_value(ref.toUtf8().constData());
    }
    zip.SetEntry(part, Serialise(sheet));
    if (formulasRemoved && zip.Has(QStringLiteral("xl/calcChain.xml"))) {
        // The calculation chain names cells whose formulas were replaced:
        // spreadsheet programs rebuild it when it is missing.
        zip.Remove(QStringLiteral("xl/calcChain.xml"));
        pugi::xml_document types;
        Parse(types, zip.Entry(QStringLiteral("[Content_Types].xml")), fileName, QStringLiteral("content types"));
        if (pugi::xml_node o = types.document_element().find_child_by_attribute("PartName", "/xl/calcChain.xml"))
            types.document_element().remove_child(o);
        zip.SetEntry(QStringLiteral("[Content_Types].xml"), Serialise(types));
        pugi::xml_document rels;
        Parse(rels, zip.Entry(QStringLiteral("xl/_rels/workbook.xml.rels")), fileName, QStringLiteral("relations"));
        for (pugi::xml_node r = rels.document_element().first_child(); r;) {
            pugi::xml_node next = r.next_sibling();
            if (QByteArray(r.attribute("Target").value()).endsWith("calcChain.xml"))
                rels.document_element().remove_child(r);
            r = next;
        }
        zip.SetEntry(QStringLiteral("xl/_rels/workbook.xml.rels"), Serialise(rels));
    }
    zip.Write(fileName);
}

} // namespace fw

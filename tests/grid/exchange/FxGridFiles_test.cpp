// The grid's text file forms: native cell text (file and stream) and
// CellToReal.
#include "grid/model/FxGrid.h"

#include "framework/AtomicFile.h"
#include "framework/SysUtils.h"
#include "framework/Graphics.h"
#include "framework/StringList.h"
#include "grid/exchange/FxComponentStream.h"
#include "grid/exchange/FxCsv.h"
#include "grid/exchange/FxHtmlSettings.h"
#include "grid/exchange/FxNativeCellText.h"
#include "grid/foundation/FxObj.h"
#include "grid/model/FxColumnSize.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace fxexchange;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

QByteArray Utf16Le(const QString& s)
{
    QByteArray b;
    for (const QChar c : s) {
        b += char(c.unicode() & 0xFF);
        b += char(c.unicode() >> 8);
    }
    return b;
}

// How long one outside Python check may take.
constexpr int PythonTimeoutMs = 30000;

// The records of a CSV file as Python's csv module reads them.
QJsonArray PythonCsvRows(const QString& file, const QString& delimiter)
{
    static const char* script = R"(
import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))
)";
    QByteArray out;
    QString err;
    if (!testsupport::runPython(script, {file, delimiter}, out, err, PythonTimeoutMs))
        ADD_FAILURE() << "python: " << err.toStdString();
    return QJsonDocument::fromJson(out).array();
}

// Python's csv module writes rows (a JSON array of arrays) to file.
void PythonWriteCsv(const QString& file, const QJsonArray& rows)
{
    static const char* script = R"(
import csv, json, sys
with open(sys.argv[1], 'w', newline='', encoding='utf-8') as f:
    csv.writer(f).writerows(json.loads(sys.argv[2]))
)";
    QByteArray out;
    QString err;
    const QString json = QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact));
    if (!testsupport::runPython(script, {file, json}, out, err, PythonTimeoutMs))
        ADD_FAILURE() << "python: " << err.toStdString();
}

class GridFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        grid = std::make_unique<TFxStringGrid>();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // A grid of cols x rows without fixed cells, column c 40 + c wide.
    std::unique_ptr<TFxStringGrid> makeGrid(int cols, int rows)
    {
        auto g = std::make_unique<TFxStringGrid>();
        g->SetFixedCols(0);
        g->SetFixedRows(0);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        for (int c = 0; c < cols; ++c)
            g->SetColWidths(c, 40 + c);
        return g;
    }
    QTemporaryDir dir;
    std::unique_ptr<TFxStringGrid> grid;
};

// ---------------------------------------------------------------- cell lines

TEST(NativeCellLine, EveryTextComesBackWhole)
{
    const std::vector<QString> texts = {
        QStringLiteral("plain, with commas"),
        QStringLiteral("a\r\nb"),
        QStringLiteral("a\rb"),          // a lone CR
        QStringLiteral("a\nb\nc"),       // lone LFs
        QStringLiteral("tab\tthen\r\nbreak"),
        QStringLiteral("back\bspace"),
        QStringLiteral("\x02starts with our marker"),
        QStringLiteral("esc\x1b and\rcr"),
        QString::fromUtf16(u"nul\0\r\nafter", 12),
        QStringLiteral("\r\n"),
    };
    for (const QString& t : texts) {
        const QString line = EncodeCellLine(t);
        EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) << t.toStdString();
        EXPECT_EQ(DecodeCellLine(line, true), t) << t.toStdString();
        const qsizetype cut = t.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        EXPECT_EQ(DecodeCellLine(line, false), cut < 0 ? t : t.left(cut)) << t.toStdString();
    }
}

TEST(NativeCellLine, CrLfTextsKeepTheFormEarlierFilesHold)
{
    EXPECT_EQ(EncodeCellLine(QStringLiteral("a\r\nb")), QStringLiteral("a\t\bb"));
    EXPECT_EQ(DecodeCellLine(QStringLiteral("a\t\bb"), true), QStringLiteral("a\r\nb"));
    EXPECT_EQ(DecodeCellLine(QStringLiteral("a\t\bb"), false), QStringLiteral("a"));
    // A TAB without any #8 is an ordinary TAB.
    EXPECT_EQ(DecodeCellLine(QStringLiteral("a\tb"), true), QStringLiteral("a\tb"));
}

TEST(NativeCellLine, CountLinesAreStrictAndBounded)
{
    struct Case { const char* line; bool ok; int cols, rows; };
    const Case cases[] = {
        {"3,2", true, 3, 2},       {"0,0", true, 0, 0},        {" 3,2", false, 0, 0},
        {"3,2x", false, 0, 0},     {"3", false, 0, 0},          {"-1,2", false, 0, 0},
        {"16385,1", false, 0, 0},  {"1,1048577", false, 0, 0},  {"99999999999,1", false, 0, 0},
        {"$10,2", false, 0, 0},
    };
    for (const Case& k : cases) {
        int c = -7, r = -7;
        EXPECT_EQ(ParseCountLine(QString::fromLatin1(k.line), c, r), k.ok) << k.line;
        if (k.ok) {
            EXPECT_EQ(c, k.cols);
            EXPECT_EQ(r, k.rows);
        }
    }
}

// ---------------------------------------------------------------- file

TEST_F(GridFiles, FileHoldsCountWidthsAndNonEmptyCellsInRowOrder)
{
    auto g = makeGrid(3, 2);
    g->SetCells(2, 0, QStringLiteral("x,y"));
    g->SetCells(0, 1, QStringLiteral("a\r\nb"));
    g->SetCells(1, 1, QStringLiteral("\u00e9\u20ac"));   // both in the Western code page
    g->SaveToFile(path("g.txt"));
    EXPECT_EQ(readFile(path("g.txt")),
              QByteArray("3,2\r\ncw 0,40\r\ncw 1,41\r\ncw 2,42\r\n2,0,x,y\r\n0,1,a\t\bb\r\n1,1,\xe9\x80\r\n"));

    g->SaveToFile(path("u.txt"), true);
    EXPECT_EQ(readFile(path("u.txt")),
              QByteArray("\xff\xfe", 2)
                  + Utf16Le(QStringLiteral("3,2\r\ncw 0,40\r\ncw 1,41\r\ncw 2,42\r\n2,0,x,y\r\n0,1,a\t\bb\r\n"
                                           "1,1,\u00e9\u20ac\r\n")));
}

TEST_F(GridFiles, FileRoundTripKeepsEveryTextAndWidth)
{
    auto src = makeGrid(4, 3);
    const QString texts[] = {QStringLiteral("one\ntwo"), QStringLiteral("cr\ronly"), QStringLiteral("tab\tand\r\nbreak"),
                             QStringLiteral("\u4e2d\u6587, comma")};
    src->SetCells(0, 0, texts[0]);
    src->SetCells(3, 1, texts[1]);
    src->SetCells(1, 2, texts[2]);
    src->SetCells(2, 2, texts[3]);
    src->SaveToFile(path("r.txt"), true);

    for (bool multi : {true, false}) {
        auto dst = makeGrid(1, 1);
        dst->SetMultilinecells(multi);
        dst->LoadFromFile(path("r.txt"));
        ASSERT_EQ(dst->ColCount(), 4);
        ASSERT_EQ(dst->RowCount(), 3);
        EXPECT_EQ(dst->ColWidths(3), 43);
        EXPECT_EQ(dst->Cells(0, 0), multi ? texts[0] : QStringLiteral("one"));
        EXPECT_EQ(dst->Cells(3, 1), multi ? texts[1] : QStringLiteral("cr"));
        EXPECT_EQ(dst->Cells(1, 2), multi ? texts[2] : QStringLiteral("tab\tand"));
        EXPECT_EQ(dst->Cells(2, 2), texts[3]);
        EXPECT_EQ(dst->Cells(1, 1), QString());
    }
}

TEST_F(GridFiles, DamagedFilesAreRefusedOrSkippedLineByLine)
{
    struct Case { const char* name; QByteArray bytes; bool refused; };
    const Case cases[] = {
        {"empty", QByteArray(), true},
        {"letters", QByteArray("abc\r\n0,0,x\r\n"), true},
        {"zero rows", QByteArray("3,0\r\n"), true},
        {"huge", QByteArray("5,2000000000\r\n0,0,x\r\n"), true},
        {"signs", QByteArray("+3,2\r\n"), true},
    };
    for (const Case& k : cases) {
        auto g = makeGrid(2, 2);
        g->SetCells(0, 0, QStringLiteral("kept"));
        const QString file = path(QString::fromLatin1(k.name));
        ASSERT_TRUE(writeFile(file, k.bytes));
        try {
            g->LoadFromFile(file);
            ADD_FAILURE() << k.name << " loaded";
        } catch (const EFxGridError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("File contains no data or corrupt file ") + file) << k.name;
        }
        EXPECT_EQ(g->ColCount(), 2) << k.name;
        EXPECT_EQ(g->RowCount(), 2) << k.name;
        EXPECT_EQ(g->Cells(0, 0), QStringLiteral("kept")) << k.name;
    }
}

TEST_F(GridFiles, CellLinesOutsideTheGridAreSkippedAndProgressStaysInRange)
{
    ASSERT_TRUE(writeFile(path("o.txt"), QByteArray("5,3\r\ncw 9,77\r\ncw -1,5\r\n7,2,far right\r\n1,80,far down\r\n"
                                                     "-1,0,negative\r\n4,2,last\r\nno comma at all\r\n")));
    auto g = makeGrid(1, 1);
    std::vector<int> progress;
    g->Events().OnFileProgress = [&](QObject*, qint16 p) { progress.push_back(p); };
    g->LoadFromFile(path("o.txt"));
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("last"));
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("no comma at all"));
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 3; ++r)
            if (!(c == 4 && r == 2) && !(c == 0 && r == 0)) {
                EXPECT_EQ(g->Cells(c, r), QString()) << c << "," << r;
            }
    ASSERT_FALSE(progress.empty());
    for (int p : progress)
        EXPECT_TRUE(p >= 0 && p <= 100) << p;
    for (size_t i = 1; i < progress.size(); ++i)
        EXPECT_NE(progress[i], progress[i - 1]);
}

TEST_F(GridFiles, FixedCellsAreOffsetWhenNotSaved)
{
    auto src = makeGrid(4, 4);
    src->SetFixedCols(1);
    src->SetFixedRows(1);
    src->SetSaveFixedCells(false);
    src->SetCells(0, 0, QStringLiteral("fixed"));
    src->SetCells(2, 3, QStringLiteral("body"));
    src->SaveToFile(path("f.txt"));
    EXPECT_TRUE(readFile(path("f.txt")).startsWith("3,3\r\ncw 1,41\r\ncw 2,42\r\ncw 3,43\r\n2,3,body\r\n"));

    auto dst = makeGrid(2, 2);
    dst->SetFixedCols(1);
    dst->SetFixedRows(1);
    dst->SetSaveFixedCells(false);
    dst->LoadFromFile(path("f.txt"));
    EXPECT_EQ(dst->ColCount(), 4);
    EXPECT_EQ(dst->RowCount(), 4);
    EXPECT_EQ(dst->Cells(2, 3), QStringLiteral("body"));
}

TEST_F(GridFiles, HiddenColumnsAreSavedAndRestoredWhenAsked)
{
    auto src = makeGrid(4, 2);
    src->SetCells(2, 1, QStringLiteral("hidden text"));
    src->SetCells(3, 1, QStringLiteral("shown"));
    src->HideColumn(2);
    src->SetSaveHiddenCells(true);
    src->SaveToFile(path("h.txt"));
    EXPECT_TRUE(readFile(path("h.txt")).contains("2,1,hidden text\r\n3,1,shown\r\n"));

    auto dst = makeGrid(4, 2);
    dst->HideColumn(2);
    dst->LoadFromFile(path("h.txt"));
    dst->UnHideColumnsAll();
    EXPECT_EQ(dst->Cells(2, 1), QStringLiteral("hidden text"));
    EXPECT_EQ(dst->Cells(3, 1), QStringLiteral("shown"));
}

// ---------------------------------------------------------------- stream

TEST_F(GridFiles, StreamIsUtf16LinesRelativeToTheSaveRange)
{
    auto g = makeGrid(2, 2);
    g->SetCells(1, 1, QStringLiteral("z"));
    QBuffer b;
    b.open(QIODevice::ReadWrite);
    b.write("head", 4);
    g->SaveToStream(b);
    EXPECT_EQ(b.data(), QByteArray("head") + Utf16Le(QStringLiteral("2,2\r\ncw 0,40\r\ncw 1,41\r\n1,1,z\r\n")));
}

TEST_F(GridFiles, StreamLoadStopsAtForeignDataAndLeavesItUnread)
{
    auto src = makeGrid(3, 2);
    src->SetCells(0, 0, QStringLiteral("first"));
    src->SetCells(2, 1, QStringLiteral("multi\nline, with comma"));
    QBuffer b;
    b.open(QIODevice::ReadWrite);
    src->SaveToStream(b);
    const qint64 end = b.pos();
    b.write(Utf16Le(QStringLiteral("other data\r\n")));
    b.seek(0);

    auto dst = makeGrid(1, 1);
    dst->SetMultilinecells(true);
    dst->LoadFromStream(b);
    EXPECT_EQ(b.pos(), end);
    EXPECT_EQ(dst->ColCount(), 3);
    EXPECT_EQ(dst->Cells(0, 0), QStringLiteral("first"));
    EXPECT_EQ(dst->Cells(2, 1), QStringLiteral("multi\nline, with comma"));
    EXPECT_EQ(dst->ColWidths(2), 42);
}

TEST_F(GridFiles, StreamWithBadNumbersOrIndicesNeverWritesOutsideTheGrid)
{
    struct Case { const char* name; QString text; bool throws; };
    const Case cases[] = {
        {"width index past the grid", QStringLiteral("2,2\r\ncw 5,10\r\n0,0,a\r\n"), false},
        {"negative width index", QStringLiteral("2,2\r\ncw -3,10\r\n0,0,a\r\n"), false},
        {"cell past the grid", QStringLiteral("2,2\r\n9,9,x\r\n0,0,a\r\n"), false},
        {"letters in a field", QStringLiteral("2,2\r\n0,z,x\r\n"), true},
        {"size too large", QStringLiteral("99999,2000000\r\n"), true},
    };
    for (const Case& k : cases) {
        auto g = makeGrid(1, 1);
        QBuffer b;
        b.setData(Utf16Le(k.text));
        b.open(QIODevice::ReadOnly);
        if (k.throws) {
            EXPECT_THROW(g->LoadFromStream(b), fw::EConvertError) << k.name;
            EXPECT_LE(g->RowCount(), 2) << k.name;
            continue;
        }
        g->LoadFromStream(b);
        EXPECT_EQ(g->ColCount(), 2) << k.name;
        EXPECT_EQ(g->Cells(0, 0), QStringLiteral("a")) << k.name;
        EXPECT_EQ(g->Cells(9, 9), QString()) << k.name;
    }
}

TEST_F(GridFiles, AssignCellsCopiesEveryCellAndWidth)
{
    auto src = makeGrid(3, 3);
    src->SetCells(0, 0, QStringLiteral("h"));
    src->SetCells(2, 2, QStringLiteral("a\rb"));
    src->SetColWidths(1, 99);
    auto dst = makeGrid(1, 1);
    dst->SetMultilinecells(true);
    dst->AssignCells(src.get());
    EXPECT_EQ(dst->ColCount(), 3);
    EXPECT_EQ(dst->RowCount(), 3);
    EXPECT_EQ(dst->Cells(0, 0), QStringLiteral("h"));
    EXPECT_EQ(dst->Cells(2, 2), QStringLiteral("a\rb"));
    EXPECT_EQ(dst->ColWidths(1), 99);
}

// ---------------------------------------------------------------- CSV

TEST(CsvField, QuotedWhenAReaderWouldOtherwiseSplitOrTrimIt)
{
    TCsvFlavour plain;
    TCsvFlavour always;
    always.AlwaysQuotes = true;
    TCsvFlavour java;
    java.JavaCSV = true;
    TCsvFlavour bare;
    bare.QuoteEmptyCells = false;
    struct Case { QString text; const TCsvFlavour* f; QString field; };
    const Case cases[] = {
        {QStringLiteral("a"), &plain, QStringLiteral("a")},
        {QStringLiteral("b,c"), &plain, QStringLiteral("\"b,c\"")},
        {QStringLiteral("say \"hi\""), &plain, QStringLiteral("\"say \"\"hi\"\"\"")},
        {QString(), &plain, QStringLiteral("\"\"")},
        {QString(), &bare, QString()},
        {QStringLiteral("x\r\ny"), &plain, QStringLiteral("\"x\r\ny\"")},
        {QStringLiteral("lone\nlf"), &plain, QStringLiteral("\"lone\nlf\"")},
        {QStringLiteral("lone\rcr"), &plain, QStringLiteral("\"lone\rcr\"")},
        {QStringLiteral(" lead"), &plain, QStringLiteral("\" lead\"")},
        {QStringLiteral("a"), &always, QStringLiteral("\"a\"")},
        {QString(), &always, QStringLiteral("\"\"")},
        {QString(), &java, QStringLiteral("^")},
        {QStringLiteral("x\r\ny"), &java, QStringLiteral("x~y")},
        {QStringLiteral("b,c"), &java, QStringLiteral("\"b,c\"")},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(EncodeCsvField(k.text, *k.f), k.field) << k.text.toStdString();
        // The file writer gives the same field, already encoded.
        TCsvWriter w(*k.f, true);
        w.Field(k.text);
        w.Field(k.text);
        w.EndRecord();
        EXPECT_EQ(w.TakeBytes(), (k.field + k.f->Delimiter + k.field + QStringLiteral("\r\n")).toUtf8())
            << k.text.toStdString();
    }
    EXPECT_EQ(DecodeCsvField(QStringLiteral("^"), true), QString());
    EXPECT_EQ(DecodeCsvField(QStringLiteral("x~y"), true), QStringLiteral("x\r\ny"));
    EXPECT_EQ(DecodeCsvField(QStringLiteral("x\x0by"), false), QStringLiteral("x\r\ny"));
}

TEST(CsvWriter, EncodesInOnePassWhateverTheTextAndThePieces)
{
    TCsvFlavour comma;
    TCsvFlavour section;   // a delimiter beyond ASCII
    section.Delimiter = QChar(0xA7);
    struct Case {
        QString text;
        const TCsvFlavour* f;
        QByteArray utf8;
        QByteArray cp1252;
    };
    const Case cases[] = {
        {QStringLiteral("\u00e4\u20ac"), &comma, "\xc3\xa4\xe2\x82\xac", "\xe4\x80"},
        {QStringLiteral("\u00e4,\"\u0142\""), &comma, "\"\xc3\xa4,\"\"\xc5\x82\"\"\"", "\"\xe4,\"\"?\"\"\""},
        {QString::fromUtf16(u"\U0001F600 x"), &comma, "\xf0\x9f\x98\x80 x", "?? x"},
        {QString(QChar(0xD800)) + QStringLiteral("z"), &comma, "\xef\xbf\xbdz", "?z"},
        {QStringLiteral("a\u00a7b"), &section, "\"a\xc2\xa7" "b\"", "\"a\xa7" "b\""},
        {QStringLiteral("a,b"), &section, "a,b", "a,b"},
    };
    for (const Case& k : cases) {
        for (const bool utf8 : {true, false}) {
            TCsvWriter w(*k.f, utf8);
            w.Field(k.text);
            EXPECT_EQ(w.TakeBytes(), utf8 ? k.utf8 : k.cp1252) << k.text.toStdString() << utf8;
        }
    }

    // Handed out in pieces, the bytes are those written whole; no piece is
    // much larger than a chunk.
    TCsvWriter whole(comma, true);
    TCsvWriter pieces(comma, true);
    QByteArray joined;
    qsizetype largest = 0;
    pieces.SetSink([&](const char* data, qsizetype size) {
        joined.append(data, size);
        largest = std::max(largest, size);
    });
    for (int r = 0; r < 3000; ++r) {
        for (int c = 0; c < 7; ++c) {
            const QString text = QStringLiteral("%1 \u20ac\"%2\",\r\n").arg(r).arg(c).repeated(1 + (r + c) % 5);
            whole.Field(text);
            pieces.Field(text);
        }
        whole.EndRecord();
        pieces.EndRecord();
    }
    pieces.Flush();
    EXPECT_EQ(joined, whole.TakeBytes());
    EXPECT_GT(joined.size(), 8 * TCsvWriter::ChunkBytes);
    EXPECT_LE(largest, TCsvWriter::ChunkBytes);
}

TEST(CsvReader, SplitsRecordsTheCommonWay)
{
    struct Case { QString text; QChar d; std::vector<QStringList> records; };
    const Case cases[] = {
        {QStringLiteral("a,b\r\nc,d\re\nf"), QLatin1Char(','),
         {{"a", "b"}, {"c", "d"}, {"e"}, {"f"}}},
        {QStringLiteral("\"multi\r\nline\",x\n\"q\"\"uote\""), QLatin1Char(','),
         {{"multi\r\nline", "x"}, {"q\"uote"}}},
        {QStringLiteral("  \"padded\",  kept blanks"), QLatin1Char(','), {{"padded", "  kept blanks"}}},
        {QStringLiteral("a,\"unclosed, rest\r\nnext"), QLatin1Char(','), {{"a", "unclosed, rest\r\nnext"}}},
        {QStringLiteral("\"ab\"cd,e"), QLatin1Char(','), {{"abcd", "e"}}},
        {QStringLiteral("a,b,"), QLatin1Char(','), {{"a", "b", ""}}},
        {QStringLiteral("a;b,c"), QChar(0), {{"a;b,c"}}},
        // A quote inside an unquoted field, or after a closing quote, opens nothing.
        {QStringLiteral("a\"b\r\nc\"d"), QLatin1Char(','), {{"a\"b"}, {"c\"d"}}},
        {QStringLiteral("\"a\"b\"\r\nc"), QLatin1Char(','), {{"ab\""}, {"c"}}},
    };
    for (const Case& k : cases) {
        TCsvReader r(k.text, k.d);
        std::vector<QStringList> got;
        QStringList fields;
        while (r.Next(fields))
            got.push_back(fields);
        EXPECT_EQ(got, k.records) << k.text.toStdString();
        // Counting the records ahead of a load passes the same boundaries.
        TCsvReader counter(k.text, k.d);
        size_t count = 0;
        while (counter.Skip())
            ++count;
        EXPECT_EQ(count, k.records.size()) << k.text.toStdString();
    }
}

TEST(CsvReader, DelimiterIsFoundOutsideQuotes)
{
    struct Case { const char* first; const char* second; QChar d; };
    const Case cases[] = {
        {"a;\"b,c\";d", "e;\"f,g\";h", QLatin1Char(';')},
        {"a;b;c", "", QLatin1Char(';')},
        {"a,b;c", "d,e;f", QLatin1Char(',')},
        {"a\tb\tc", "d\te\tf", QChar(9)},
        {"\"x,y,z\"|1", "\"p,q\"|2", QLatin1Char('|')},
        {"plain", "text", QChar(0)},
    };
    for (const Case& k : cases)
        EXPECT_EQ(SniffCsvDelimiter(QString::fromUtf8(k.first), QString::fromUtf8(k.second)), k.d) << k.first;
}

TEST_F(GridFiles, CsvFileBytesAndLoadBack)
{
    auto g = makeGrid(5, 1);
    g->SetCells(0, 0, QStringLiteral("a"));
    g->SetCells(1, 0, QStringLiteral("b,c"));
    g->SetCells(2, 0, QStringLiteral("say \"hi\""));
    g->SetCells(4, 0, QStringLiteral("x\r\ny"));
    g->SaveToCSV(path("c.csv"));
    EXPECT_EQ(readFile(path("c.csv")), QByteArray("a,\"b,c\",\"say \"\"hi\"\"\",\"\",\"x\r\ny\"\r\n"));
    g->SaveToCSV(path("u.csv"), true);
    EXPECT_EQ(readFile(path("u.csv")), QByteArray("\xEF\xBB\xBF") + readFile(path("c.csv")));

    auto dst = makeGrid(2, 4);
    dst->SetCells(0, 3, QStringLiteral("gone with the row"));
    dst->LoadFromCSV(path("c.csv"));
    EXPECT_EQ(dst->ColCount(), 5);
    EXPECT_EQ(dst->RowCount(), 1);
    EXPECT_EQ(dst->Delimiter(), QChar(0));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(dst->Cells(c, 0), g->Cells(c, 0)) << c;
}

TEST_F(GridFiles, CsvDelimiterIsRestoredEvenWhenTheLoadFails)
{
    ASSERT_TRUE(writeFile(path("s.csv"), QByteArray("a;b\r\n")));
    auto g = makeGrid(1, 1);
    g->LoadFromCSV(path("s.csv"));
    EXPECT_EQ(g->Cells(1, 0), QStringLiteral("b"));
    EXPECT_EQ(g->Delimiter(), QChar(0));

    QByteArray wide("x");
    for (int i = 0; i < 20000; ++i)
        wide += ";y";
    ASSERT_TRUE(writeFile(path("w.csv"), wide));
    g->SetDelimiter(QChar(0));
    EXPECT_THROW(g->LoadFromCSV(path("w.csv")), EFxGridError);
    EXPECT_EQ(g->Delimiter(), QChar(0));
    EXPECT_LE(g->ColCount(), MaxLoadColCount);
}

TEST_F(GridFiles, CsvInsertAppendsAndMaxRowsStops)
{
    ASSERT_TRUE(writeFile(path("r.csv"), QByteArray("1,2\r\n3,4\r\n5,6\r\n")));
    auto g = makeGrid(2, 1);
    g->SetCells(0, 0, QStringLiteral("head"));
    g->InsertFromCSV(path("r.csv"), 2);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("head"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("4"));

    g->SetLoadFirstRow(false);
    g->LoadFromCSV(path("r.csv"));
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("3"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("6"));
}

TEST_F(GridFiles, CsvOfTooManyRowsIsRefusedBeforeTheGridChanges)
{
    // One record more than the grid may hold: refused while the grid keeps
    // what it had; without its first record (a header left out) it fits.
    QByteArray bytes = "head\r\n";
    for (int i = 1; i < MaxLoadRowCount; ++i)
        bytes += "1\r\n";
    bytes += "last\r\n";
    ASSERT_TRUE(writeFile(path("many.csv"), bytes));
    struct Case { bool loadFirstRow; bool refused; };
    for (const Case k : {Case{true, true}, Case{false, false}}) {
        auto g = makeGrid(3, 2);
        g->SetCells(2, 1, QStringLiteral("kept"));
        g->SetLoadFirstRow(k.loadFirstRow);
        if (k.refused) {
            EXPECT_THROW(g->LoadFromCSV(path("many.csv")), EFxGridError);
            EXPECT_EQ(g->RowCount(), 2);
            EXPECT_EQ(g->Cells(2, 1), QStringLiteral("kept"));
            EXPECT_EQ(g->Cells(0, 0), QString());
        } else {
            g->LoadFromCSV(path("many.csv"));
            EXPECT_EQ(g->RowCount(), MaxLoadRowCount);
            EXPECT_EQ(g->Cells(0, 0), QStringLiteral("1"));
            EXPECT_EQ(g->Cells(0, MaxLoadRowCount - 1), QStringLiteral("last"));
        }
    }
}

TEST_F(GridFiles, LargeCsvComesBackWholeAndAFailedSaveKeepsTheOldFile)
{
    // Larger than the pieces the file is written in, with fields that need
    // quotes and characters of several bytes.
    auto g = makeGrid(12, 2500);
    for (int r = 0; r < g->RowCount(); ++r)
        for (int c = 0; c < g->ColCount(); ++c)
            g->SetCells(c, r, (r + c) % 7 == 0 ? QStringLiteral("\u00c4 \"%1\",\r\nline %2").arg(r).arg(c)
                                                : QStringLiteral("%1\u20ac%2").arg(r).arg(c));
    const QString file = path(QStringLiteral("large.csv"));
    for (const bool unicode : {true, false}) {
        g->SaveToCSV(file, unicode);
        auto back = std::make_unique<TFxStringGrid>();
        back->SetFixedCols(0);
        back->SetFixedRows(0);
        back->SetDelimiter(QLatin1Char(','));
        back->LoadFromCSV(file);
        ASSERT_EQ(back->RowCount(), g->RowCount()) << unicode;
        ASSERT_EQ(back->ColCount(), g->ColCount()) << unicode;
        int differing = 0;
        for (int r = 0; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c)
                differing += back->Cells(c, r) != g->Cells(c, r);
        EXPECT_EQ(differing, 0) << unicode;
    }

    const QByteArray before = readFile(file);
    g->SetCells(0, 0, QStringLiteral("changed"));
    fw::SetRenameFunctionForTesting([](const QString&, const QString&) {
        errno = EACCES;
        return false;
    });
    EXPECT_THROW(g->SaveToCSV(file, true), EFxGridError);
    fw::SetRenameFunctionForTesting({});
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("large.csv")});
}

TEST_F(GridFiles, SavedCellTextDropsMarkupOnlyWhereAsked)
{
    struct Case {
        const char* text;
        bool withHtml, withRtf;
        const char* saved;
    };
    const Case cases[] = {
        {"<B>bold</B> text", false, false, "bold text"},
        {"<B>bold</B> text", true, false, "<B>bold</B> text"},
        {"a < b", false, false, "a < b"},
        {"{\\rtf1 one\r\ntwo}", false, true, "{\\rtf1 onetwo}"},
        {"{\\rtf1 one\r\ntwo}", false, false, "{\\rtf1 one\r\ntwo}"},
        {"{not rich}", false, true, "{not rich}"},
        {"plain", false, true, "plain"},
    };
    for (const Case& k : cases) {
        grid->SetSaveWithHTML(k.withHtml);
        grid->SetSaveWithRTF(k.withRtf);
        grid->SetCells(1, 1, QString::fromLatin1(k.text));
        QString saved;
        grid->GetCellForSave(1, 1, saved);
        EXPECT_EQ(saved, QString::fromLatin1(k.saved)) << k.text;
    }
}

TEST_F(GridFiles, CsvAppendKeepsTheExistingLines)
{
    ASSERT_TRUE(writeFile(path("a.csv"), QByteArray("old,line")));
    auto g = makeGrid(2, 1);
    g->SetCells(0, 0, QStringLiteral("new"));
    g->AppendToCSV(path("a.csv"));
    EXPECT_EQ(readFile(path("a.csv")), QByteArray("old,line\r\nnew,\"\"\r\n"));
    EXPECT_THROW(g->AppendToCSV(path("missing.csv")), fw::EFileError);
}

TEST_F(GridFiles, CsvAgreesWithPythonBothWays)
{
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed: the CSV check against Python's csv module is skipped";
    const QStringList cells = {QStringLiteral("plain"), QStringLiteral("comma, inside"), QStringLiteral("say \"hi\""),
                               QStringLiteral("two\r\nlines"), QStringLiteral("lone\nlf"), QStringLiteral(" lead"),
                               QString(), QStringLiteral("\u00fcml\u00e4ut \u4e2d"), QStringLiteral("\"")};
    auto g = makeGrid(3, 3);
    for (int i = 0; i < cells.size(); ++i)
        g->SetCells(i % 3, i / 3, cells[i]);
    g->SaveToCSV(path("py.csv"), true);
    const QJsonArray rows = PythonCsvRows(path("py.csv"), QStringLiteral(","));
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < cells.size(); ++i)
        EXPECT_EQ(rows[i / 3].toArray()[i % 3].toString(), cells[i]) << i;

    // Python writes, the grid reads.
    QJsonArray written;
    for (int r = 0; r < 3; ++r) {
        QJsonArray row;
        for (int c = 0; c < 3; ++c)
            row.append(cells[(r * 3 + c + 4) % cells.size()]);
        written.append(row);
    }
    PythonWriteCsv(path("from-py.csv"), written);
    auto dst = makeGrid(1, 1);
    dst->LoadFromCSV(path("from-py.csv"));
    ASSERT_EQ(dst->RowCount(), 3);
    ASSERT_EQ(dst->ColCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(dst->Cells(c, r), written[r].toArray()[c].toString()) << c << "," << r;
}

TEST_F(GridFiles, FixedWidthWidthsAndFieldBoundaries)
{
    auto g = makeGrid(2, 2);
    g->SetCells(0, 0, QStringLiteral("abc"));
    g->SetCells(1, 0, QStringLiteral("x"));
    g->SetCells(0, 1, QStringLiteral("a"));
    g->SetCells(1, 1, QStringLiteral("long text"));
    TIntList widths(0, 0);
    g->SaveToFixed(path("f.txt"), widths);
    EXPECT_EQ(widths.StrValue(), QStringLiteral("4,10"));
    EXPECT_EQ(readFile(path("f.txt")), QByteArray("abc x         \r\na   long text \r\n"));

    TIntList narrow(0, 0);
    narrow.Add(2);
    g->SaveToFixed(path("n.txt"), narrow);
    EXPECT_EQ(readFile(path("n.txt")), QByteArray("abx         \r\na long text \r\n"));

    auto dst = makeGrid(1, 1);
    dst->SetFixedCols(0);
    TIntList bounds(0, 0);
    bounds.SetStrValue(QStringLiteral("10,1,5"));
    dst->LoadFromFixed(path("f.txt"), bounds, true);
    EXPECT_EQ(bounds.StrValue(), QStringLiteral("1,5,10"));
    EXPECT_EQ(dst->ColCount(), 2);
    EXPECT_EQ(dst->Cells(0, 0), QStringLiteral("abc"));
    EXPECT_EQ(dst->Cells(1, 0), QStringLiteral("x"));
    EXPECT_EQ(dst->Cells(1, 1), QStringLiteral("long"));

    for (const char* bad : {"5", "0,4", "3,3,6"}) {
        TIntList b(0, 0);
        b.SetStrValue(QString::fromLatin1(bad));
        EXPECT_THROW(dst->LoadFromFixed(path("f.txt"), b, true), EFxGridError) << bad;
    }
    TIntList negative(0, 0);
    negative.Add(-1);
    EXPECT_THROW(g->SaveToFixed(path("x.txt"), negative), EFxGridError);
}

// ---------------------------------------------------------------- binary cells

std::vector<TStreamRecord> Records(const QByteArray& data)
{
    std::vector<TStreamRecord> out;
    qsizetype pos = 0;
    TStreamRecord r;
    QString error;
    while (pos < data.size()) {
        if (!ReadComponentRecord(data, pos, r, error)) {
            ADD_FAILURE() << error.toStdString();
            break;
        }
        out.push_back(r);
    }
    return out;
}

QByteArray BinStream(TFxStringGrid& g, const fw::TRect& r)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    g.SaveRectToBinStream(r, b);
    return b.data();
}

int LoadAt(TFxStringGrid& g, const fw::TPoint& p, const QByteArray& data)
{
    QBuffer b;
    b.setData(data);
    b.open(QIODevice::ReadOnly);
    return g.LoadAtPointFromBinStream(p, b);
}

TEST(ComponentStream, ExtendedNumbersRoundTrip)
{
    EXPECT_EQ(DoubleToExtended(1.0), QByteArray("\0\0\0\0\0\0\0\x80\xff\x3f", 10));
    EXPECT_EQ(DoubleToExtended(-2.0), QByteArray("\0\0\0\0\0\0\0\x80\x00\xc0", 10));
    for (double v : {0.0, 1.0, -2.5, 3.141592653589793, 1e300, -1e-300, 4.9e-324, 123456789.125})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(v).constData()), v) << v;
}

TEST(ComponentStream, ValuesTakeTheirPrescribedForms)
{
    QByteArray out;
    TComponentRecordWriter w(out);
    w.Begin(QStringLiteral("TX"));
    w.Integer(QStringLiteral("a"), 127);
    w.Integer(QStringLiteral("b"), -129);
    w.Integer(QStringLiteral("c"), 70000);
    w.String(QStringLiteral("s"), QStringLiteral("ab"));
    w.String(QStringLiteral("u"), QStringLiteral("\u00e9x"));        // UTF-8 needs 3 bytes for 2 characters
    w.String(QStringLiteral("w"), QStringLiteral("\u4e2d"));          // UTF-8 needs 3 bytes for 1 character
    w.String(QStringLiteral("l"), QString(256, QLatin1Char('x')));
    w.Color(QStringLiteral("n"), fw::clNone);
    w.Color(QStringLiteral("k"), 0x123456);
    w.End();
    QByteArray expected("TPF0\x02TX\x00", 8);
    expected += QByteArray("\x01" "a\x02\x7f", 4);
    expected += QByteArray("\x01" "b\x03\x7f\xff", 5);
    expected += QByteArray("\x01" "c\x04\x70\x11\x01\x00", 7);
    expected += QByteArray("\x01s\x06\x02" "ab", 6);
    expected += QByteArray("\x01u\x14\x03\x00\x00\x00\xc3\xa9x", 10);
    expected += QByteArray("\x01w\x12\x01\x00\x00\x00\x2d\x4e", 9);
    expected += QByteArray("\x01l\x0c\x00\x01\x00\x00", 7) + QByteArray(256, 'x');
    expected += QByteArray("\x01n\x07\x06" "clNone", 10);
    expected += QByteArray("\x01k\x04\x56\x34\x12\x00", 7);
    expected += QByteArray("\0\0", 2);
    EXPECT_EQ(out.toHex(' ').toStdString(), expected.toHex(' ').toStdString());
}

TEST_F(GridFiles, PlainCellsGiveOneHeaderAndOneRecordPerCell)
{
    auto g = makeGrid(4, 4);
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 1, QStringLiteral("b"));
    g->SetCells(1, 2, QStringLiteral("c"));
    const QByteArray data = BinStream(*g, fw::TRect(1, 1, 2, 2));
    const auto recs = Records(data);
    ASSERT_EQ(recs.size(), 5u);
    EXPECT_EQ(recs[0].ClassName, QStringLiteral("TGridPropIO"));
    EXPECT_EQ(recs[0].Find(QStringLiteral("ColWidths"))->Text, QStringLiteral("41,42"));
    EXPECT_FALSE(recs[0].Find(QStringLiteral("FullGrid"))->Bool);
    EXPECT_EQ(recs[0].Find(QStringLiteral("ID"))->Int, g->ExchangeGridId());
    // The record of cell (1, 1), byte for byte.
    EXPECT_TRUE(data.contains(QByteArray("TPF0\x0bTGridCellIO\x00\x03" "Col\x02\x01\x03Row\x02\x01\x04" "Cell\x06\x01"
                                         "a\x07HasProp\x08\x00\x00", 48)));
    EXPECT_EQ(recs[4].Find(QStringLiteral("Cell")), nullptr);   // the empty cell (2, 2)

    auto dst = makeGrid(9, 10);
    dst->SetColWidths(5, 77);
    const int id = LoadAt(*dst, fw::TPoint(5, 7), data);
    EXPECT_EQ(id, g->ExchangeGridId());
    EXPECT_NE(dst->ExchangeGridId(), g->ExchangeGridId());
    EXPECT_EQ(dst->Cells(5, 7), QStringLiteral("a"));
    EXPECT_EQ(dst->Cells(6, 7), QStringLiteral("b"));
    EXPECT_EQ(dst->Cells(5, 8), QStringLiteral("c"));
    EXPECT_EQ(dst->ColCount(), 9);
    EXPECT_EQ(dst->ColWidths(5), 77);
}

TEST_F(GridFiles, BinaryIndicesBeyondSixteenBitsComeBack)
{
    // Rows past 65,535 keep their place: the indices are never cut.
    auto g = makeGrid(3, 70002);
    g->SetCells(1, 70000, QStringLiteral("far"));
    g->SetCells(2, 70001, QStringLiteral("farther"));
    const QByteArray data = BinStream(*g, fw::TRect(1, 70000, 2, 70001));
    EXPECT_EQ(Records(data)[1].Find(QStringLiteral("Row"))->Int, 70000);

    auto dst = makeGrid(4, 70003);
    LoadAt(*dst, fw::TPoint(2, 70001), data);
    EXPECT_EQ(dst->Cells(2, 70001), QStringLiteral("far"));
    EXPECT_EQ(dst->Cells(3, 70002), QStringLiteral("farther"));
    EXPECT_EQ(dst->Cells(2, 70001 - 65536), QString());
}

TEST_F(GridFiles, FullGridRoundTripKeepsLooksAndGraphics)
{
    auto g = makeGrid(3, 3);
    g->SetRowHeights(2, 33);
    g->SetCells(0, 0, QStringLiteral("\u4e2d text"));
    TCellProperties* p = g->CellProperties(1, 0);
    p->SetBrushColor(0x123456);
    p->SetFontColor(fw::clRed);
    p->SetFontStyle(fw::TFontStyles().Include(fw::fsBold).Include(fw::fsItalic));
    p->SetAlignment(fw::taCenter);
    p->SetEditor(edComboList);
    p->SetFontName(QStringLiteral("DejaVu Sans"));
    TCellGraphic* radio = g->CreateCellGraphic(2, 1);
    radio->SetCellType(ctRadio);
    radio->SetCellCreated(true);
    auto* items = new fw::TStringList();
    items->Add(QStringLiteral("on"));
    items->Add(QStringLiteral("off"));
    radio->SetCellStrings(items);
    TCellGraphic* images = g->CreateCellGraphic(0, 2);
    images->SetCellType(ctImages);
    images->SetCellCreated(true);
    auto* idx = new TIntList(0, 2);
    idx->SetStrValue(QStringLiteral("3,1,4"));
    images->SetCellImages(idx);
    TCellGraphic* bmp = g->CreateCellGraphic(1, 2);
    bmp->SetCellType(ctBitmap);
    bmp->SetCellCreated(true);
    bmp->SetCellValue(2.5);
    auto* bitmap = new fw::TBitmap();
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    bitmap->SetImage(red);
    bmp->SetCellBitmap(bitmap);
    g->SaveToBinFile(path("g.bin"));

    auto dst = makeGrid(7, 7);
    dst->SetCells(6, 6, QStringLiteral("cleared by a full grid"));
    dst->LoadFromBinFile(path("g.bin"));
    EXPECT_EQ(dst->ColCount(), 3);
    EXPECT_EQ(dst->RowCount(), 3);
    EXPECT_EQ(dst->ColWidths(2), 42);
    EXPECT_EQ(dst->RowHeights(2), 33);
    EXPECT_EQ(dst->Cells(0, 0), QStringLiteral("\u4e2d text"));
    const TCellProperties* q = dst->CellProperties(1, 0);
    EXPECT_EQ(q->BrushColor(), fw::TColor(0x123456));
    EXPECT_EQ(q->FontColor(), fw::clRed);
    EXPECT_TRUE(q->FontStyle().Contains(fw::fsBold) && q->FontStyle().Contains(fw::fsItalic));
    EXPECT_FALSE(q->FontStyle().Contains(fw::fsUnderline));
    EXPECT_EQ(q->Alignment(), fw::taCenter);
    EXPECT_EQ(q->Editor(), edComboList);
    EXPECT_EQ(q->FontName(), QStringLiteral("DejaVu Sans"));
    ASSERT_EQ(dst->GetCellType(2, 1), ctRadio);
    EXPECT_EQ(dst->GetCellGraphic(2, 1)->CellStrings()->Count(), 2);
    EXPECT_EQ(dst->GetCellGraphic(2, 1)->CellStrings()->Strings(1), QStringLiteral("off"));
    ASSERT_EQ(dst->GetCellType(0, 2), ctImages);
    EXPECT_EQ(dst->GetCellGraphic(0, 2)->CellImages()->StrValue(), QStringLiteral("3,1,4"));
    ASSERT_EQ(dst->GetCellType(1, 2), ctBitmap);
    EXPECT_DOUBLE_EQ(dst->GetCellGraphic(1, 2)->CellValue(), 2.5);
    const QImage back = dst->GetCellGraphic(1, 2)->CellBitmap()->ToImage();
    EXPECT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixel(2, 1) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(GridFiles, BitmapTheGridDoesNotOwnIsLeftOut)
{
    auto g = makeGrid(2, 2);
    fw::TBitmap shared;
    TCellGraphic* bmp = g->CreateCellGraphic(1, 1);
    bmp->SetCellType(ctBitmap);
    bmp->SetCellCreated(false);
    bmp->SetCellBitmap(&shared);
    const auto recs = Records(BinStream(*g, fw::TRect(1, 1, 1, 1)));
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[2].ClassName, QStringLiteral("TGridCellPropIO"));
    EXPECT_FALSE(recs[2].Find(QStringLiteral("HasGraphic"))->Bool);
}

TEST_F(GridFiles, DamagedBinaryStreamsChangeNothing)
{
    auto src = makeGrid(2, 2);
    src->SetCells(0, 0, QStringLiteral("x"));
    src->CellProperties(1, 1)->SetBrushColor(fw::clAqua);
    src->SetCells(1, 1, QStringLiteral("y"));
    const QByteArray good = BinStream(*src, fw::TRect(0, 0, 1, 1));

    // Every cut of the stream either ends at a record boundary or is refused
    // with the grid untouched.
    // A stream may end before any cell record: those cuts are whole streams.
    std::vector<qsizetype> boundaries;
    {
        qsizetype pos = 0;
        TStreamRecord r;
        QString e;
        while (pos < good.size()) {
            const qsizetype start = pos;
            if (!ReadComponentRecord(good, pos, r, e))
                break;
            if (r.ClassName == QLatin1String("TGridCellIO"))
                boundaries.push_back(start);
        }
    }
    for (qsizetype len = 0; len < good.size(); ++len) {
        auto g = makeGrid(3, 3);
        g->SetCells(2, 2, QStringLiteral("kept"));
        const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), len) != boundaries.end();
        if (atBoundary) {
            EXPECT_NO_THROW(LoadAt(*g, fw::TPoint(0, 0), good.left(len))) << len;
            continue;
        }
        EXPECT_THROW(LoadAt(*g, fw::TPoint(0, 0), good.left(len)), EFxGridError) << len;
        EXPECT_EQ(g->Cells(0, 0), QString()) << len;
        EXPECT_EQ(g->Cells(2, 2), QStringLiteral("kept")) << len;
        EXPECT_FALSE(g->CellPropertiesAssigned(1, 1)) << len;
    }

    struct Case { const char* name; QByteArray bytes; };
    QByteArray huge = good;
    const qsizetype at = huge.indexOf("RowHeights") + 10 + 1;   // past the name and the type byte
    const Case cases[] = {
        {"long string claims 2 GB", good.left(good.indexOf("ColWidths") + 9) + QByteArray("\x0c\xff\xff\xff\x7f" "abc", 8)},
        {"unknown class", QByteArray(good).replace("TGridCellIO", "TGridCellXX")},
        {"unknown property", QByteArray(good).replace("HasProp", "HasPrxp")},
        {"wrong value type", huge.left(at - 1) + QByteArray("\x02\x05", 2) + huge.mid(at + 1 + huge[at])},
        {"huge row count", QByteArray(good).replace(QByteArray("\x08RowCount\x02\x02", 11),
                                                     QByteArray("\x08RowCount\x04\xff\xff\xff\x7f", 14))},
        {"child component", QByteArray(good).insert(good.indexOf("TPF0", 4) - 1, '\x01')},
    };
    for (const Case& k : cases) {
        auto g = makeGrid(3, 3);
        EXPECT_THROW(LoadAt(*g, fw::TPoint(0, 0), k.bytes), EFxGridError) << k.name;
        EXPECT_EQ(g->Cells(0, 0), QString()) << k.name;
        EXPECT_EQ(g->RowCount(), 3) << k.name;
    }
}

TEST_F(GridFiles, BinaryCellsAgreeWithThePascalRuntime)
{
    const QString fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    if (fpc.isEmpty())
        GTEST_SKIP() << "fpc (Debian fp-compiler) is not installed: the binary stream check with ObjectBinaryToText "
                        "is skipped";
    QProcess build;
    build.start(fpc, {QStringLiteral("-v0"), QStringLiteral("-FE") + dir.path(),
                      testsupport::dataPath(QStringLiteral("exchange/bin2text.pas"))});
    ASSERT_TRUE(build.waitForFinished(120000));
    ASSERT_EQ(build.exitCode(), 0) << build.readAllStandardOutput().toStdString();

    auto g = makeGrid(2, 1);
    g->SetCells(0, 0, QStringLiteral("plain"));
    g->SetCells(1, 0, QStringLiteral("\u00fcber \u4e2d"));
    TCellProperties* p = g->CellProperties(1, 0);
    p->SetFontStyle(fw::TFontStyles().Include(fw::fsBold));
    p->SetBrushColor(fw::clNone);
    TCellGraphic* radio = g->CreateCellGraphic(1, 0);
    radio->SetCellType(ctRadio);
    radio->SetCellCreated(true);
    radio->SetCellValue(0.5);
    auto* items = new fw::TStringList();
    items->Add(QStringLiteral("first"));
    items->Add(QString(300, QLatin1Char('z')));
    radio->SetCellStrings(items);
    g->SaveToBinFile(path("p.bin"));

    QProcess run;
    run.start(dir.filePath(QStringLiteral("bin2text")), {path("p.bin")});
    ASSERT_TRUE(run.waitForFinished(30000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    for (const char* expected :
         {"TGridPropIO", "ColCount = 2", "RowCount = 1", "FullGrid = True", "TGridCellIO", "Cell = 'plain'",
          "HasProp = True", "CellProperties.FontStyle = [fsBold]", "CellProperties.BrushColor = clNone",
          "CellProperties.Editor = edNormal", "HasGraphic = True", "CellGraphic.CellType = ctRadio",
          "CellGraphic.CellValue =  5.00000000000000000000E-0001", "Cell = #252'ber '#20013",
          "Strings.Strings = (", "'first'"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    EXPECT_EQ(text.count(QStringLiteral("object")), 6) << text.toStdString();
    EXPECT_TRUE(text.contains(QString(300, QLatin1Char('z'))) || text.contains(QString(255, QLatin1Char('z'))));
}

// ---------------------------------------------------------------- plain text and HTML

TEST_F(GridFiles, AsciiColumnsAreAsWideAsTheirLongestLine)
{
    auto g = makeGrid(2, 2);
    g->SetMultilinecells(true);
    g->SetCells(0, 0, QStringLiteral("a"));
    g->SetCells(1, 0, QStringLiteral("x\r\nyy"));
    g->SetCells(0, 1, QStringLiteral("ccc"));
    g->SetCells(1, 1, QStringLiteral("d"));
    g->SaveToASCII(path("a.txt"));
    EXPECT_EQ(readFile(path("a.txt")), QByteArray("a   x  \r\n    yy\r\nccc d  \r\n"));

    auto h = makeGrid(1, 3);
    h->SetCells(0, 0, QStringLiteral("7"));
    h->CellProperties(0, 0)->SetAlignment(fw::taRightJustify);
    h->SetCells(0, 1, QStringLiteral("7"));
    h->CellProperties(0, 1)->SetAlignment(fw::taCenter);
    h->SetCells(0, 2, QStringLiteral("abc"));
    h->SaveToASCII(path("b.txt"));
    EXPECT_EQ(readFile(path("b.txt")), QByteArray("  7 \r\n 7  \r\nabc \r\n"));
    h->AppendToASCII(path("b.txt"), false);
    EXPECT_EQ(readFile(path("b.txt")), QByteArray("  7 \r\n 7  \r\nabc \r\n  7 \r\n 7  \r\nabc \r\n"));
}

TEST_F(GridFiles, HtmlTableSharesStylesMergesAndEscapes)
{
    auto g = std::make_unique<TFxStringGrid>();
    g->SetColCount(4);
    g->SetRowCount(5);   // one fixed row and one fixed column
    g->SetCells(1, 0, QStringLiteral("Head"));
    g->SetCells(1, 1, QStringLiteral("a < b & \"c\""));
    g->SetCells(2, 1, QStringLiteral("same look"));
    g->SetCells(3, 1, QStringLiteral("bold"));
    g->CellProperties(3, 1)->SetFontStyle(fw::TFontStyles().Include(fw::fsBold));
    g->SetCells(1, 2, QStringLiteral("merged"));
    g->MergeCells(1, 2, 2, 3);
    const QString html = g->SaveToHTMLString();
    EXPECT_FALSE(html.startsWith(QStringLiteral("<?xml")));
    EXPECT_TRUE(html.contains(QStringLiteral(">a &lt; b &amp; &quot;c&quot;</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(" COLSPAN=\"2\" ROWSPAN=\"3\"")));
    EXPECT_EQ(html.count(QStringLiteral("<TD")), 4 * 5 - 5);
    EXPECT_TRUE(html.contains(QStringLiteral(">&nbsp;</td>")));
    const auto classOf = [&](const QString& text) {
        const qsizetype at = html.indexOf(QLatin1Char('>') + text + QStringLiteral("</td>"));
        const qsizetype cls = html.lastIndexOf(QStringLiteral("class=\""), at);
        return html.mid(cls + 7, html.indexOf(QLatin1Char('"'), cls + 7) - cls - 7);
    };
    EXPECT_EQ(classOf(QStringLiteral("same look")), classOf(QStringLiteral("a &lt; b &amp; &quot;c&quot;")));
    EXPECT_NE(classOf(QStringLiteral("bold")), classOf(QStringLiteral("same look")));
    const QString boldClass = classOf(QStringLiteral("bold"));
    const qsizetype def = html.indexOf(QLatin1Char('.') + boldClass + QStringLiteral(" {"));
    ASSERT_GE(def, 0);
    EXPECT_TRUE(html.mid(def, html.indexOf(QLatin1Char('}'), def) - def).contains(QStringLiteral("font-weight: bold")));

    ASSERT_TRUE(writeFile(path("ap.html"), QByteArray("<p>old</p>")));
    g->AppendToHTML(path("ap.html"));
    EXPECT_TRUE(readFile(path("ap.html")).startsWith("\xEF\xBB\xBF<p>old</p>\r\n<style>\r\n.c0 {"));

    g->SaveToHTML(path("t.html"));
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed: the check with Python's html.parser is skipped";
    static const char* script = R"(
import html.parser, json, sys
class P(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.cells, self.inside = [], False
    def handle_starttag(self, tag, attrs):
        if tag == 'td':
            self.inside = True
            self.cells.append('')
    def handle_endtag(self, tag):
        if tag == 'td':
            self.inside = False
    def handle_data(self, data):
        if self.inside:
            self.cells[-1] += data
p = P()
p.feed(open(sys.argv[1], encoding='utf-8-sig').read())
print(json.dumps(p.cells))
)";
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(script, {path("t.html")}, out, err, PythonTimeoutMs)) << err.toStdString();
    const QJsonArray cells = QJsonDocument::fromJson(out).array();
    ASSERT_EQ(cells.size(), 15);
    EXPECT_EQ(cells[1].toString(), QStringLiteral("Head"));
    EXPECT_EQ(cells[5].toString(), QStringLiteral("a < b & \"c\""));
}

TEST_F(GridFiles, XhtmlIsWellFormed)
{
    auto g = makeGrid(2, 2);
    g->SetCells(0, 0, QStringLiteral("<b>bold</b> & more"));
    g->SetCells(1, 0, QStringLiteral("two\r\nlines"));
    g->SetCells(0, 1, QStringLiteral("caf\u00e9"));
    g->HTMLSettings().XHTML = true;
    g->HTMLSettings().NonBreakingText = true;
    g->HTMLSettings().ConvertSpecialChars = true;
    g->SetURLShow(true);
    g->SetCells(1, 1, QStringLiteral("http://example.invalid/?a=1&b=2"));
    const QString html = g->SaveToHTMLString();
    EXPECT_TRUE(html.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</html>\r\n")));
    g->SaveToHTML(path("x.html"));
    if (testsupport::xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed: the well-formedness check is skipped";
    QString lint;
    EXPECT_TRUE(testsupport::xmllintPasses(path("x.html"), &lint)) << lint.toStdString() << html.toStdString();
}

// ---------------------------------------------------------------- XML

TEST_F(GridFiles, XmlFileIsOneElementPerRecordAndField)
{
    auto g = makeGrid(1, 2);
    g->SetCells(0, 0, QStringLiteral("a&b"));
    g->SetCells(0, 1, QStringLiteral("x<y"));
    g->SaveToXML(path("x.xml"), QStringLiteral("list"), QStringLiteral("rec"));
    EXPECT_EQ(readFile(path("x.xml")),
              QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<list>\r\n<rec>\r\n<FIELD0>a&amp;b</FIELD0>\r\n"
                         "</rec>\r\n<rec>\r\n<FIELD0>x&lt;y</FIELD0>\r\n</rec>\r\n</list>\r\n"));
}

TEST_F(GridFiles, XmlRoundTripPassesOutsideReaders)
{
    auto g = makeGrid(3, 2);
    const QString texts[] = {QStringLiteral("say \"hi\" & <go>"), QString(), QStringLiteral("two\r\nlines\rcr"),
                             QStringLiteral("\u00fc \u4e2d \U0001F600"), QStringLiteral("tab\there"),
                             QStringLiteral("$amp; stays")};
    for (int i = 0; i < 6; ++i)
        g->SetCells(i % 3, i / 3, texts[i]);
    const QStringList fields = {QStringLiteral("name"), QStringLiteral("empty")};
    g->SaveToXML(path("r.xml"), QStringLiteral("table"), QStringLiteral("row"), &fields);
    EXPECT_TRUE(readFile(path("r.xml")).contains("<empty>&quot;&quot;</empty>"));
    EXPECT_TRUE(readFile(path("r.xml")).contains("<FIELD2>two\r\nlines&#13;\ncr</FIELD2>") ||
                readFile(path("r.xml")).contains("<FIELD2>two&#13;\nlines&#13;cr</FIELD2>"));

    auto dst = makeGrid(10, 10);
    dst->LoadFromXML(path("r.xml"));
    EXPECT_EQ(dst->ColCount(), 3);
    EXPECT_EQ(dst->RowCount(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(dst->Cells(i % 3, i / 3), texts[i]) << i;

    if (testsupport::xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed: the well-formedness check is skipped";
    QString lint;
    EXPECT_TRUE(testsupport::xmllintPasses(path("r.xml"), &lint)) << lint.toStdString();
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed: the content check is skipped";
    const QJsonObject tree = testsupport::pythonXmlTree(path("r.xml"));
    const QJsonArray rows = tree[QStringLiteral("children")].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("children")].toArray()[0].toObject()[QStringLiteral("text")].toString(),
              texts[0]);
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("children")].toArray()[0].toObject()[QStringLiteral("text")].toString(),
              texts[3]);
}

TEST_F(GridFiles, XmlRefusesWhatItCannotWrite)
{
    auto g = makeGrid(2, 1);
    for (const char* bad : {"", "1st", "two words", "a<b", "xmlThing"}) {
        EXPECT_THROW(g->SaveToXML(path("b.xml"), QString::fromLatin1(bad), QStringLiteral("r")), EFxGridError) << bad;
        const QStringList fields = {QStringLiteral("ok"), QString::fromLatin1(bad)};
        EXPECT_THROW(g->SaveToXML(path("b.xml"), QStringLiteral("l"), QStringLiteral("r"), &fields), EFxGridError)
            << bad;
    }
    g->SetCells(1, 0, QStringLiteral("bell\x07"));
    EXPECT_THROW(g->SaveToXML(path("b.xml"), QStringLiteral("l"), QStringLiteral("r")), EFxGridError);
    g->SetCells(1, 0, QString(QChar(0xD800)));
    EXPECT_THROW(g->SaveToXML(path("b.xml"), QStringLiteral("l"), QStringLiteral("r")), EFxGridError);
    g->SetCells(1, 0, QString());
    g->SetXMLEncoding(QStringLiteral("UTF-16"));
    EXPECT_THROW(g->SaveToXML(path("b.xml"), QStringLiteral("l"), QStringLiteral("r")), EFxGridError);
    EXPECT_FALSE(QFileInfo::exists(path("b.xml")));
}

TEST_F(GridFiles, XmlLoadPutsAttributesFirstAndReportsBadDocuments)
{
    ASSERT_TRUE(writeFile(path("a.xml"), QByteArray("<list><rec id=\"7\"><f>one</f><g>two</g></rec>"
                                                     "<rec id=\"8\"><f>three</f><g/></rec></list>")));
    auto g = makeGrid(10, 10);
    g->SetSaveFixedCells(false);
    g->LoadFromXML(path("a.xml"));
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("7"));
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("two"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("three"));
    EXPECT_EQ(g->Cells(2, 1), QString());

    ASSERT_TRUE(writeFile(path("bad.xml"), QByteArray("<list>\n<rec>\n</list>")));
    try {
        g->LoadFromXML(path("bad.xml"));
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("XMLDOM Parsing error "))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("(line 3)"))) << e.Message().toStdString();
    }
    try {
        g->LoadFromXML(path("missing.xml"));
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("XML file not found"));
    }
    QByteArray deep = "<a>";
    for (int i = 0; i < 1000; ++i)
        deep += "<b><c/><c/>";
    for (int i = 0; i < 1000; ++i)
        deep += "</b>";
    deep += "</a>";
    ASSERT_TRUE(writeFile(path("deep.xml"), deep));
    EXPECT_THROW(g->LoadFromXML(path("deep.xml")), EFxGridError);
}

TEST_F(GridFiles, XmlNestingPast256LevelsIsRefusedBeforeTheGridChanges)
{
    // A chain of single elements is read as one value however deep it is;
    // a branching one as rows. Both count their levels from the document
    // element (level 1).
    auto chain = [](int levels) {
        QByteArray x;
        for (int i = 0; i < levels - 1; ++i)
            x += "<e>";
        x += "<v>deep</v>";
        for (int i = 0; i < levels - 1; ++i)
            x += "</e>";
        return x;
    };
    auto branching = [](int levels) {
        QByteArray x = "<l>";
        for (int i = 0; i < levels - 2; ++i)
            x += "<b><c>1</c>";
        x += "<c>2</c>";
        for (int i = 0; i < levels - 2; ++i)
            x += "</b>";
        return x + "</l>";
    };
    struct Case {
        const char* name;
        QByteArray xml;
        bool loads;
    } cases[] = {
        {"chain of 256", chain(256), true},
        {"chain of 257", chain(257), false},
        {"chain of 300", chain(300), false},
        {"branches of 256", branching(256), true},
        {"branches of 257", branching(257), false},
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(writeFile(path("n.xml"), k.xml)) << k.name;
        auto g = makeGrid(3, 3);
        g->SetCells(2, 2, QStringLiteral("kept"));
        if (k.loads) {
            EXPECT_NO_THROW(g->LoadFromXML(path("n.xml"))) << k.name;
            continue;
        }
        try {
            g->LoadFromXML(path("n.xml"));
            ADD_FAILURE() << k.name << ": loaded";
        } catch (const EFxGridError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("256"))) << e.Message().toStdString();
        }
        EXPECT_EQ(g->ColCount(), 3) << k.name;
        EXPECT_EQ(g->RowCount(), 3) << k.name;
        EXPECT_EQ(g->Cells(2, 2), QStringLiteral("kept")) << k.name;
        EXPECT_EQ(g->Cells(0, 0), QString()) << k.name;
    }
}

TEST_F(GridFiles, XmlRoundTripOfMergedCellsKeepsEveryCellInItsColumn)
{
    // Row 0: a | B spanning columns 1-2 (column 2 still holds a text of its
    // own under the block) | c. Row 1: a block over two rows in column 0.
    for (bool exportEmpty : {true, false}) {
        auto g = makeGrid(4, 3);
        g->SetCells(0, 0, QStringLiteral("a"));
        g->SetCells(1, 0, QStringLiteral("B"));
        g->SetGridCells(2, 0, QStringLiteral("under"));
        g->SetCells(3, 0, QStringLiteral("c"));
        g->MergeCells(1, 0, 2, 1);
        g->SetCells(0, 1, QStringLiteral("tall"));
        g->SetGridCells(0, 2, QStringLiteral("below"));
        g->SetCells(1, 1, QStringLiteral("x"));
        g->SetCells(1, 2, QStringLiteral("y"));
        g->SetCells(2, 2, QStringLiteral("z"));
        g->SetCells(3, 2, QStringLiteral("w"));
        g->MergeCells(0, 1, 1, 2);
        g->SaveToXML(path("m.xml"), QStringLiteral("list"), QStringLiteral("rec"), nullptr, exportEmpty);

        auto dst = makeGrid(1, 1);
        dst->LoadFromXML(path("m.xml"));
        EXPECT_EQ(dst->ColCount(), 4) << exportEmpty;
        EXPECT_EQ(dst->RowCount(), 3) << exportEmpty;
        // Covered cells come back empty, as the grid showed them.
        const char* expected[3][4] = {{"a", "B", "", "c"}, {"tall", "x", "", ""}, {"", "y", "z", "w"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) {
                if (!exportEmpty && r == 1 && c >= 2)
                    continue;   // empty cells at a record's end are left out
                EXPECT_EQ(dst->Cells(c, r), QString::fromLatin1(expected[r][c]))
                    << "cell " << c << "," << r << " export empty " << exportEmpty;
            }
    }
}

// ---------------------------------------------------------------- column states

// Row 0 as shown, hidden columns left out.
QStringList ShownHeaders(TFxStringGrid& g)
{
    QStringList out;
    for (int c = 0; c < g.ColCount(); ++c)
        out << g.Cells(g.RealColIndex(c), 0);
    return out;
}

std::unique_ptr<TFxStringGrid> HeaderGrid()
{
    auto g = std::make_unique<TFxStringGrid>();
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetColCount(4);
    g->SetRowCount(2);
    for (int c = 0; c < 4; ++c) {
        g->SetCells(c, 0, QString(QLatin1Char('A' + c)));
        g->SetColWidths(c, 64);
    }
    return g;
}

TEST_F(GridFiles, ColumnStatesRestoreOrderHiddenColumnsAndWidths)
{
    auto g = HeaderGrid();
    g->SetColCount(3);
    EXPECT_EQ(g->ColumnStatesToString(), QStringLiteral("3#64,64,64#0,1,2#1,1,1"));

    auto src = HeaderGrid();
    src->MoveColumn(1, 0);   // B A C D
    src->HideColumn(2);      // C
    src->SetColWidths(0, 30);
    src->SetColWidths(2, 50);
    ASSERT_EQ(ShownHeaders(*src), (QStringList{"B", "A", "D"}));
    const QString states = src->ColumnStatesToString();

    auto dst = HeaderGrid();
    dst->StringToColumnStates(states);
    EXPECT_EQ(ShownHeaders(*dst), (QStringList{"B", "A", "D"}));
    EXPECT_EQ(dst->ColWidths(0), 30);
    EXPECT_EQ(dst->ColWidths(2), 50);
    EXPECT_EQ(dst->ColumnStatesToString(), states);
}

TEST_F(GridFiles, DamagedColumnStatesChangeNothing)
{
    const char* bad[] = {
        "4#64,64,64#0,1,2,3#1,1,1,1",      // a width missing
        "4#64,64,64,64#0,0,2,3#1,1,1,1",   // not a permutation
        "4#64,64,64,64#0,1,2,4#1,1,1,1",   // an index past the columns
        "4#64,64,64,64#0,1,2,3#1,2,1,1",   // a flag that is neither 0 nor 1
        "4#64,64,64,64#0,1,2,3#0,0,0,0",   // nothing left to show
        "4#64,-5,64,64#0,1,2,3#1,1,1,1",   // a negative width
        "x#64#0#1",
        "99999#1#0#1",
        "4#64,64,64,64#0,1,2,3",
    };
    for (const char* text : bad) {
        auto g = HeaderGrid();
        g->MoveColumn(3, 0);
        const QString before = g->ColumnStatesToString();
        EXPECT_THROW(g->StringToColumnStates(QString::fromLatin1(text)), EFxGridError) << text;
        EXPECT_EQ(g->ColumnStatesToString(), before) << text;
        EXPECT_EQ(ShownHeaders(*g), (QStringList{"D", "A", "B", "C"})) << text;
    }
    auto g = HeaderGrid();
    g->StringToColumnStates(QStringLiteral("no hash at all"));
    EXPECT_EQ(g->ColCount(), 4);
}

TEST_F(GridFiles, ColumnWidthsAndPositionsGoThroughTheStore)
{
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    for (TColumnSizeLocation location : {clIniFile, clRegistry}) {
        const QString ini = path(QStringLiteral("cols%1.ini").arg(int(location)));
        auto src = HeaderGrid();
        src->ColumnSize().SetLocation(location);
        src->ColumnSize().SetKey(location == clIniFile ? ini : QStringLiteral("Software\\Test\\Grid"));
        src->ColumnSize().SetSection(QStringLiteral("Main"));

        auto fresh = HeaderGrid();
        fresh->ColumnSize().Assign(src->ColumnSize());
        fresh->LoadColPositions();   // nothing stored yet
        EXPECT_EQ(ShownHeaders(*fresh), (QStringList{"A", "B", "C", "D"}));
        fresh->LoadColSizes();
        EXPECT_EQ(fresh->ColWidths(1), 64);
        if (location == clIniFile) {
            EXPECT_TRUE(QFileInfo::exists(ini));
        }

        src->MoveColumn(2, 0);   // C A B D
        src->SetColWidths(1, 91);
        src->SaveColSizes();
        src->SaveColPositions();

        auto dst = HeaderGrid();
        dst->ColumnSize().Assign(src->ColumnSize());
        dst->LoadColPositions();
        dst->LoadColSizes();
        EXPECT_EQ(ShownHeaders(*dst), (QStringList{"C", "A", "B", "D"})) << int(location);
        EXPECT_EQ(dst->ColWidths(1), 91) << int(location);
    }
    qunsetenv("XDG_CONFIG_HOME");
}

// ---------------------------------------------------------------- numbers

TEST_F(GridFiles, CellToRealReadsFormattedNumbers)
{
    const fw::TFormatSettings saved = fw::FormatSettings();
    fw::FormatSettings().ThousandSeparator = QLatin1Char('.');
    fw::FormatSettings().DecimalSeparator = QLatin1Char(',');
    struct Case { const char* text; double value; };
    const Case cases[] = {{"1.234,5", 1234.5}, {"(12)", -12}, {"", 0}, {"$ -3,25", -3.25}};
    for (const Case& k : cases) {
        grid->SetCells(1, 1, QString::fromUtf8(k.text));
        EXPECT_DOUBLE_EQ(grid->CellToReal(1, 1), k.value) << k.text;
    }
    grid->SetCells(2, 3, QStringLiteral("12e"));
    try {
        grid->CellToReal(2, 3);
        ADD_FAILURE() << "no error";
    } catch (const EFxGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Error at position: 3 in Cell [2, 3]."));
    }
    fw::FormatSettings() = saved;
}

} // namespace

// Workbooks, word-processor tables and database queries, each checked with
// an outside reader or writer (openpyxl, xlwt, python-docx, sqlite3).
#include "grid/model/FxGrid.h"

#include "framework/AtomicFile.h"
#include "framework/SysUtils.h"
#include "framework/Workbook.h"
#include "framework/Zip.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <functional>
#include <memory>

namespace {

// How long one outside Python check may take.
constexpr int PythonTimeoutMs = 60000;

// True when Python can import the module; else the reason for skipping.
bool HasPythonModule(const char* module, QString& why)
{
    if (testsupport::pythonProgram().isEmpty()) {
        why = QStringLiteral("/usr/bin/python3 is not installed");
        return false;
    }
    QByteArray out;
    QString err;
    if (!testsupport::runPython("import importlib, sys; importlib.import_module(sys.argv[1])",
                                {QString::fromLatin1(module)}, out, err, PythonTimeoutMs)) {
        why = QStringLiteral("Python module %1 is not installed").arg(QString::fromLatin1(module));
        return false;
    }
    return true;
}

#define REQUIRE_PYTHON_MODULE(module, debianPackage)                                                                 \
    do {                                                                                                             \
        QString why;                                                                                                 \
        if (!HasPythonModule(module, why))                                                                           \
            GTEST_SKIP() << why.toStdString() << " (Debian " debianPackage "): the outside check is skipped";       \
    } while (0)

QJsonValue PythonJson(const char* script, const QStringList& args)
{
    QByteArray out;
    QString err;
    if (!testsupport::runPython(script, args, out, err, PythonTimeoutMs)) {
        ADD_FAILURE() << "python: " << err.toStdString();
        return {};
    }
    const QJsonDocument d = QJsonDocument::fromJson(out);
    return d.isArray() ? QJsonValue(d.array()) : QJsonValue(d.object());
}

// The CPU time this thread has taken since the timer was made: a bound on
// work that other processes on a busy machine do not stretch.
class TCpuTimer {
public:
    TCpuTimer() : FStart(Now()) {}
    double Seconds() const { return Now() - FStart; }

private:
    static double Now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
    double FStart;
};

// A workbook of about 1.4 KB whose sheet holds only A1 and XFD1048576: its
// used range is the largest a sheet has, though it holds two cells.
void WriteFarApartWorkbook(const QString& fileName)
{
    fw::TZipArchive zip;
    zip.SetEntry(QStringLiteral("[Content_Types].xml"),
                 R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/></Types>)");
    zip.SetEntry(QStringLiteral("_rels/.rels"),
                 R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)");
    zip.SetEntry(QStringLiteral("xl/workbook.xml"),
                 R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Far" sheetId="1" r:id="rId1"/></sheets></workbook>)");
    zip.SetEntry(QStringLiteral("xl/_rels/workbook.xml.rels"),
                 R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)");
    zip.SetEntry(QStringLiteral("xl/worksheets/sheet1.xml"),
                 R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1:XFD1048576"/><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>first</t></is></c></row><row r="1048576"><c r="XFD1048576"><v>7</v></c></row></sheetData></worksheet>)");
    zip.Write(fileName);
}

class Office : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    std::unique_ptr<TFxStringGrid> makeGrid(int cols, int rows, int fixed = 0)
    {
        auto g = std::make_unique<TFxStringGrid>();
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetFixedCols(fixed);
        g->SetFixedRows(fixed);
        return g;
    }
    QTemporaryDir dir;
};

} // namespace

TEST(ColumnLetters, GeneralBase26)
{
    const std::pair<int, const char*> cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"},
                                                 {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [n, letters] : cases) {
        EXPECT_EQ(fw::ColumnLetters(n), QString::fromLatin1(letters));
        EXPECT_EQ(fw::ColumnNumber(QString::fromLatin1(letters)), n);
    }
    EXPECT_EQ(fw::ColumnNumber(QStringLiteral("A1")), 0);
}

TEST_F(Office, WorkbookWrittenReadsBackInOpenpyxl)
{
    REQUIRE_PYTHON_MODULE("openpyxl", "python3-openpyxl");
    auto g = makeGrid(28, 3);
    g->SetCells(0, 0, "name");
    g->SetCells(1, 0, "42");
    g->SetCells(2, 0, "007");
    g->SetCells(3, 0, "two\r\nlines");
    g->SetCells(27, 2, "last");
    g->SaveToXLS(path("out.xlsx"));
    const QJsonArray rows = PythonJson(R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(json.dumps([[c for c in row] for row in ws.iter_rows(values_only=True)]))
)",
                                       {path("out.xlsx")})
                                .toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toArray().size(), 28) << "columns A to AB";
    EXPECT_EQ(rows[0][0].toString(), "name");
    EXPECT_EQ(rows[0][1].toDouble(), 42.0) << "a number stays a number";
    EXPECT_EQ(rows[0][2].toString(), "007") << "a text that is no plain number stays text";
    EXPECT_EQ(rows[0][3].toString(), "two\nlines");
    EXPECT_TRUE(rows[1][0].isNull());
    EXPECT_EQ(rows[2][27].toString(), "last");
}

TEST_F(Office, WorkbookOfOpenpyxlLoadsItsUsedRange)
{
    REQUIRE_PYTHON_MODULE("openpyxl", "python3-openpyxl");
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'First'
ws['A1'] = 'other'
data = wb.create_sheet('Data')
for r in range(3, 11):
    for c in range(2, 6):
        data.cell(row=r, column=c, value='r%dc%d' % (r, c))
data['C4'] = 12.5
data['D5'] = '=NA()'
data['E6'] = datetime.date(2024, 2, 29)
data['B10'] = True
single = wb.create_sheet('Single')
single['C2'] = 'alone'
wb.active = 1
wb.save(sys.argv[1])
)",
                                       {path("in.xlsx")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(10, 10, 1);
    g->SetSaveFixedCells(false);
    g->SetCells(3, 4, "untouched");
    g->LoadFromXLS(path("in.xlsx"));   // the active sheet
    EXPECT_EQ(g->ColCount(), 1 + 4);
    EXPECT_EQ(g->RowCount(), 1 + 8);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->Cells(1, 1), "r3c2");
    EXPECT_EQ(g->Cells(2, 2), "12.5");
    EXPECT_EQ(g->Cells(3, 3), "") << "a formula without a stored result reads as empty";
    EXPECT_EQ(g->Cells(4, 4), fw::DateToStr(fw::EncodeDate(2024, 2, 29)));
    EXPECT_EQ(g->Cells(1, 8), "True");

    auto s = makeGrid(5, 5, 1);
    s->SetSaveFixedCells(false);
    s->LoadFromXLSSheet(path("in.xlsx"), "Single");
    EXPECT_EQ(s->Cells(1, 1), "alone") << "a single cell goes to the first non-fixed cell";
    EXPECT_EQ(g->GetXLSSheets(path("in.xlsx")), (QStringList{"First", "Data", "Single"}));

    try {
        g->LoadFromXLSSheet(path("in.xlsx"), "Nowhere");
        FAIL() << "a missing sheet is an error";
    } catch (const EFxGridError& e) {
        EXPECT_STREQ(e.what(), "Excel worksheet Nowhere not found");
    }
}

TEST_F(Office, ErrorCellsAreLeftAlone)
{
    REQUIRE_PYTHON_MODULE("openpyxl", "python3-openpyxl");
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, openpyxl
from openpyxl.cell.cell import TYPE_ERROR
wb = openpyxl.Workbook()
ws = wb.active
ws['A1'] = 'a'
ws['B1'] = '#N/A'
ws['B1'].data_type = TYPE_ERROR
ws['A2'] = 'b'
wb.save(sys.argv[1])
)",
                                       {path("err.xlsx")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(2, 2);
    g->SetCells(1, 0, "kept");
    g->SetCells(1, 1, "emptied");
    g->LoadFromXLS(path("err.xlsx"));
    EXPECT_EQ(g->Cells(0, 0), "a");
    EXPECT_EQ(g->Cells(1, 0), "kept");
    EXPECT_EQ(g->Cells(1, 1), "") << "an empty cell of the range becomes empty text";
}

// A sheet is read by the cells it holds, not by its used range: two cells
// far apart load (or are refused) at once, however large the range between
// them. They once made the load visit all 16384 x 1048576 cells.
TEST_F(Office, FarApartCellsLoadOrAreRefusedAtOnce)
{
    const QString file = path("far.xlsx");
    WriteFarApartWorkbook(file);
    ASSERT_LT(QFileInfo(file).size(), 2000);

    // With a fixed column and row the range needs one more of each than a
    // grid holds: refused with the reason, the grid as it was.
    auto refused = makeGrid(3, 3, 1);
    refused->SetSaveFixedCells(false);
    refused->SetCells(1, 1, "kept");
    TCpuTimer t;
    try {
        refused->LoadFromXLS(file);
        FAIL() << "a range beyond the grid's limits is refused";
    } catch (const EFxGridError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The worksheet is too large to load: its used range $A$1:$XFD$1048576 needs 16385 columns and "
                  "1048577 rows, a grid holds at most 16384 columns and 1048576 rows");
    }
    EXPECT_LT(t.Seconds(), 1.0);
    EXPECT_EQ(refused->ColCount(), 3);
    EXPECT_EQ(refused->Cells(1, 1), "kept");

    // Without fixed cells it fits: the two cells land, the rest is empty,
    // and a second load over the grid so made is as quick.
    auto loaded = makeGrid(3, 3);
    loaded->SetCells(1, 1, "old");
    loaded->SetCells(2, 0, "old");
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass ? "loaded again" : "first load");
        t = TCpuTimer();
        loaded->LoadFromXLS(file);
        EXPECT_LT(t.Seconds(), 1.0);
        EXPECT_EQ(loaded->ColCount(), 16384);
        EXPECT_EQ(loaded->RowCount(), 1048576);
        EXPECT_EQ(loaded->Cells(0, 0), "first");
        EXPECT_EQ(loaded->Cells(16383, 1048575), "7");
        EXPECT_EQ(loaded->Cells(1, 1), "") << "cells of the range the sheet leaves empty are emptied";
        EXPECT_EQ(loaded->Cells(2, 0), "");
        EXPECT_EQ(loaded->Cells(5000, 500000), "") << "typed between the loads";
        loaded->SetCells(5000, 500000, "between");
    }
}

TEST_F(Office, SheetWrittenIntoAWorkbookKeepsTheRest)
{
    REQUIRE_PYTHON_MODULE("openpyxl", "python3-openpyxl");
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'Keep'
ws['A1'] = 'kept'
ws['B2'] = '=1+1'
t = wb.create_sheet('Target')
t['A1'] = 'old'
t['D9'] = 'outside'
wb.save(sys.argv[1])
)",
                                       {path("book.xlsx")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(2, 2);
    g->SetCells(0, 0, "new");
    g->SetCells(1, 1, "3.25");
    g->SaveToXLSSheet(path("book.xlsx"), "Target");
    g->SetCells(0, 0, "added");
    g->SaveToXLSSheet(path("book.xlsx"), "Added");
    const QJsonObject sheets = PythonJson(R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print(json.dumps({ws.title: [[c for c in row] for row in ws.iter_rows(values_only=True)] for ws in wb}))
)",
                                          {path("book.xlsx")})
                                   .toObject();
    EXPECT_EQ(sheets.keys(), (QStringList{"Added", "Keep", "Target"}));
    EXPECT_EQ(sheets["Keep"][0][0].toString(), "kept");
    EXPECT_EQ(sheets["Keep"][1][1].toString(), "=1+1");
    EXPECT_EQ(sheets["Target"][0][0].toString(), "new");
    EXPECT_EQ(sheets["Target"][1][1].toDouble(), 3.25);
    EXPECT_EQ(sheets["Target"][8][3].toString(), "outside") << "cells beyond the written range stay";
    EXPECT_EQ(sheets["Added"][0][0].toString(), "added");
}

TEST_F(Office, LegacyWorkbookOfXlwtLoads)
{
    REQUIRE_PYTHON_MODULE("xlwt", "python3-xlwt");
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, xlwt
wb = xlwt.Workbook()
ws = wb.add_sheet('Legacy')
ws.write(1, 1, 'b2')
ws.write(1, 2, 7)
ws.write(2, 1, 'caf\u00e9')
wb.save(sys.argv[1])
)",
                                       {path("old.xls")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(5, 5);
    g->LoadFromXLS(path("old.xls"));
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 0), "b2");
    EXPECT_EQ(g->Cells(1, 0), "7");
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("caf\u00e9"));
    EXPECT_THROW(g->SaveToXLSSheet(path("old.xls"), "Legacy"), fw::Exception) << "a legacy file is never overwritten";
}

// Formula results and true/false cells of a legacy workbook load as the
// .xlsx path loads them ("7", "13.5", "True"); they once loaded empty, as
// the legacy reader reports such cells. The fixture is xlwt's, with cached
// results put into its FORMULA records (xlwt itself writes none) and a
// STRING record after each text result, the longest one continued.
TEST_F(Office, LegacyFormulaResultsAndBooleansLoad)
{
    REQUIRE_PYTHON_MODULE("xlwt", "python3-xlwt");
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, struct, datetime, xlwt
from xlwt import BIFFRecords
long_text = ''.join(chr(0x3b1 + i % 20) for i in range(5000))
cached = {(1, 3): ('num', 7.0), (2, 3): ('num', 13.5), (4, 3): ('bool', 1), (5, 3): ('str', 'caf\u00e9'),
          (6, 3): ('err', 0x07), (7, 3): ('num', 45351.0), (8, 3): ('str', long_text), (9, 3): ('bool', 0)}
original_init = BIFFRecords.FormulaRecord.__init__
original_get = BIFFRecords.FormulaRecord.get
def init(self, row, col, xf, rpn, calc_flags=0):
    original_init(self, row, col, xf, rpn, calc_flags)
    self.cell = (row, col)
    kind, value = cached[self.cell]
    result = {'num': lambda: struct.pack('<d', value),
              'bool': lambda: bytes([1, 0, value, 0, 0, 0, 0xFF, 0xFF]),
              'err': lambda: bytes([2, 0, value, 0, 0, 0, 0xFF, 0xFF]),
              'str': lambda: bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF])}[kind]()
    self._rec_data = self._rec_data[:6] + result + self._rec_data[14:]
def get(self):
    data = original_get(self)
    kind, value = cached[self.cell]
    if kind == 'str':
        chars = value.encode('utf-16-le')
        first, rest = chars[:8000], chars[8000:]
        body = struct.pack('<HB', len(value), 1) + first
        data += struct.pack('<HH', 0x0207, len(body)) + body
        if rest:
            data += struct.pack('<HH', 0x003C, len(rest) + 1) + b'\x01' + rest
    return data
BIFFRecords.FormulaRecord.__init__ = init
BIFFRecords.FormulaRecord.get = get
wb = xlwt.Workbook()
wb.add_sheet('First').write(0, 0, 'other')
ws = wb.add_sheet('Data')
ws.write(0, 0, 'name')
ws.write(1, 1, 3)
ws.write(1, 2, 4)
ws.write(1, 3, xlwt.Formula('B2+C2'))
ws.write(2, 3, xlwt.Formula('B2*4.5'))
ws.write(3, 2, True)
ws.write(3, 3, False)
ws.write(4, 3, xlwt.Formula('C4'))
ws.write(5, 3, xlwt.Formula('"caf"&"\u00e9"'))
ws.write(6, 3, xlwt.Formula('1/0'))
ws.write(7, 3, xlwt.Formula('B2+45348'), xlwt.easyxf(num_format_str='YYYY-MM-DD'))
ws.write(8, 3, xlwt.Formula('A1'))
ws.write(9, 3, xlwt.Formula('NOT(C4)'))
wb.save(sys.argv[1])
)",
                                       {path("formulas.xls")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(4, 4);
    g->SetCells(3, 6, "before");
    g->LoadFromXLSSheet(path("formulas.xls"), "Data");
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 10);
    QString longText;
    for (int i = 0; i < 5000; ++i)
        longText += QChar(0x3b1 + i % 20);
    struct Case {
        int col, row;
        QString text;
    };
    const Case cases[] = {
        {0, 0, "name"},
        {3, 1, "7"},
        {3, 2, "13.5"},
        {2, 3, "True"},
        {3, 3, "False"},
        {3, 4, "True"},
        {3, 5, QStringLiteral("caf\u00e9")},
        {3, 6, "before"},   // an error result leaves its cell as it was
        {3, 7, fw::DateToStr(fw::EncodeDate(2024, 2, 29))},
        {3, 8, longText},   // continued in a CONTINUE record
        {3, 9, "False"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g->Cells(c.col, c.row).toStdString(), c.text.toStdString())
            << "column " << c.col << ", row " << c.row;
}

TEST_F(Office, DamagedWorkbooksAreRefused)
{
    auto g = makeGrid(2, 2);
    g->SetCells(0, 0, "x");
    QFile f(path("bad.xlsx"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a zip archive");
    f.close();
    EXPECT_THROW(g->LoadFromXLS(path("bad.xlsx")), fw::Exception);
    EXPECT_THROW(g->LoadFromXLS(path("missing.xlsx")), fw::Exception);
    EXPECT_EQ(g->Cells(0, 0), "x");
}

TEST_F(Office, WordTableReadsBackInPythonDocx)
{
    REQUIRE_PYTHON_MODULE("docx", "python3-docx");
    auto g = makeGrid(3, 2);
    g->SetCells(0, 0, "left");
    g->SetCells(1, 0, "right");
    g->SetAlignments(1, 0, fw::taRightJustify);
    g->SetCells(2, 0, "mid");
    g->SetAlignments(2, 0, fw::taCenter);
    g->SetCells(0, 1, "a & <b>");
    g->SaveToDOC(path("t.docx"));
    static const char* read = R"(
import json, sys, docx, docx.table, docx.text.paragraph
d = docx.Document(sys.argv[1])
out = []
for block in d.element.body.iterchildren():
    tag = block.tag.split('}')[1]
    if tag == 'tbl':
        t = docx.table.Table(block, d)
        out.append({'table': [[c.text for c in r.cells] for r in t.rows],
                    'align': [[str(c.paragraphs[0].alignment) for c in r.cells] for r in t.rows]})
    elif tag == 'p':
        out.append({'p': docx.text.paragraph.Paragraph(block, d).text})
print(json.dumps(out))
)";
    const QJsonArray body = PythonJson(read, {path("t.docx")}).toArray();
    ASSERT_GE(body.size(), 1);
    const QJsonObject table = body[0].toObject();
    EXPECT_EQ(table["table"][0][1].toString(), "right");
    EXPECT_EQ(table["table"][1][0].toString(), "a & <b>");
    EXPECT_TRUE(table["align"][0][1].toString().startsWith("RIGHT"));
    EXPECT_TRUE(table["align"][0][2].toString().startsWith("CENTER"));

    // Appended at a bookmark: the new table stands before the bookmark's paragraph.
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sys, docx
from docx.oxml.ns import qn
from docx.oxml import OxmlElement
d = docx.Document()
d.add_paragraph('intro')
p = d.add_paragraph('here')
start = OxmlElement('w:bookmarkStart'); start.set(qn('w:id'), '0'); start.set(qn('w:name'), 'Spot')
end = OxmlElement('w:bookmarkEnd'); end.set(qn('w:id'), '0')
p._p.insert(0, start); p._p.append(end)
d.add_paragraph('outro')
d.save(sys.argv[1])
)",
                                       {path("b.docx")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    g->AppendToDoc(path("b.docx"), "Spot");
    g->AppendToDoc(path("b.docx"), "NoSuchMark");
    QStringList order;
    for (const QJsonValue v : PythonJson(read, {path("b.docx")}).toArray()) {
        const QJsonObject o = v.toObject();
        order << (o.contains("table") ? QStringLiteral("[table]") : o["p"].toString());
    }
    EXPECT_EQ(order.mid(order.indexOf("intro")), (QStringList{"intro", "[table]", "here", "outro", "[table]", ""}))
        << order.join('|').toStdString();
}

TEST_F(Office, QueryOfASqliteDatabase)
{
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed: the database fixture cannot be made";
    QByteArray out;
    QString err;
    ASSERT_TRUE(testsupport::runPython(R"(
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute('create table "odd ""name""" (id integer, label text, note text)')
c.executemany('insert into "odd ""name""" values (?, ?, ?)', [(1, 'one', None), (2, 'two', 'x')])
c.execute('create table empty (a text, b text)')
c.commit()
)",
                                       {path("db.sqlite")}, out, err, PythonTimeoutMs))
        << err.toStdString();
    auto g = makeGrid(2, 10, 1);
    g->LoadFromMDBTable(path("db.sqlite"), "odd \"name\"");
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 0), "id");
    EXPECT_EQ(g->Cells(2, 0), "label");
    EXPECT_EQ(g->Cells(2, 2), "two");
    EXPECT_EQ(g->Cells(3, 1), "") << "NULL reads as empty";

    g->LoadFromMDBSQL(path("db.sqlite"), "SELECT a FROM empty");
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Cells(1, 0), "a");
    EXPECT_EQ(g->RowCount(), 2) << "the header row and one empty row";
    EXPECT_EQ(g->Cells(1, 1), "");

    try {
        g->LoadFromMDBSQL(path("db.sqlite"), "SELECT nonsense FROM nowhere");
        FAIL() << "a bad query is an error";
    } catch (const fw::Exception& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("nowhere"), -1) << e.what();
    }
}

TEST_F(Office, AccessDatabaseThroughTheMdbDriver)
{
    // No program here writes an Access file, and none ships with a Debian
    // package: this check runs only when a fixture has been placed.
    const QString fixture = testsupport::fixturePath("exchange", "sample.mdb");
    if (!QFileInfo::exists(fixture))
        GTEST_SKIP() << "no .mdb fixture in tests/data/exchange (nothing on this system can write one)";
    if (QStandardPaths::findExecutable(QStringLiteral("mdb-tables")).isEmpty())
        GTEST_SKIP() << "mdbtools is not installed (Debian mdbtools, odbc-mdbtools)";
    QProcess p;
    p.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), fixture});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString table = QString::fromUtf8(p.readAllStandardOutput()).split('\n').value(0).trimmed();
    ASSERT_FALSE(table.isEmpty());
    auto g = makeGrid(2, 2, 1);
    g->LoadFromMDBTable(fixture, table);
    EXPECT_GT(g->ColCount(), 1);
}

TEST_F(Office, ScalingChangesTheFixedAndActiveFonts)
{
    auto g = makeGrid(2, 2);
    fw::TFont f = g->FixedFont();
    f.Size = 8;
    g->SetFixedFont(f);
    f.Size = 10;
    g->SetActiveCellFont(f);
    g->HandleChangeScale(3, 2);
    EXPECT_EQ(g->FixedFont().Size, 12);
    EXPECT_EQ(g->ActiveCellFont().Size, 15);
    g->HandleChangeScale(5, 5);
    EXPECT_EQ(g->FixedFont().Size, 12);
}

TEST_F(Office, SaveFailuresAreReportedAndKeepTheOldFile)
{
    auto g = makeGrid(2, 2);
    g->SetCells(0, 0, "new");
    struct Case {
        const char* name;
        const char* file;
        std::function<void(TFxStringGrid&, const QString&)> save;
    };
    const Case cases[] = {
        {"workbook", "w.xlsx", [](TFxStringGrid& t, const QString& f) { t.SaveToXLS(f); }},
        {"sheet of a workbook", "s.xlsx", [](TFxStringGrid& t, const QString& f) { t.SaveToXLSSheet(f, "Sheet1"); }},
        {"document", "d.docx", [](TFxStringGrid& t, const QString& f) { t.SaveToDOC(f); }},
        {"appended table", "a.docx", [](TFxStringGrid& t, const QString& f) { t.AppendToDoc(f, "Mark"); }},
    };
    g->SaveToDOC(path(QStringLiteral("a.docx")));   // a document to append to
    for (const Case& k : cases) {
        const QString file = path(QString::fromLatin1(k.file));
        k.save(*g, file);   // a sound file to keep
        const QFileInfo before(file);
        ASSERT_TRUE(before.exists()) << k.name;
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray old = f.readAll();
        f.close();

        fw::SetRenameFunctionForTesting([](const QString&, const QString&) {
            errno = ENOSPC;
            return false;
        });
        EXPECT_THROW(k.save(*g, file), fw::Exception) << k.name;
        fw::SetRenameFunctionForTesting({});
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), old) << k.name;
        f.close();
        EXPECT_THROW(k.save(*g, path(QStringLiteral("no such folder/")) + QString::fromLatin1(k.file)), fw::Exception)
            << k.name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4) << "no temporary file is left";

    // Beyond a worksheet's size the save is refused before anything is written.
    auto wide = makeGrid(fw::MaxSheetCols + 1, 1);
    EXPECT_THROW(wide->SaveToXLS(path("wide.xlsx")), EFxGridError);
    EXPECT_FALSE(QFileInfo::exists(path("wide.xlsx")));
}

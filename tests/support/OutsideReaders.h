#pragma once
// Reading the files the program writes with tools that share no code with it:
// xmllint for well-formedness, Python's xml.etree for the content, poppler's
// pdftotext and pdftoppm for printed PDF files. A test
// skips (GTEST_SKIP) when the tool is not installed, saying which one.
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

class TTableFile;

namespace testsupport {

// Path of xmllint, empty when it is not installed.
QString xmllintProgram();
// Runs `xmllint --noout file`; true when it passes, else its messages in *output.
bool xmllintPasses(const QString& file, QString* output = nullptr);

// Path of /usr/bin/python3, empty when it is not there.
QString pythonProgram();
// Runs `python3 -c script args...`: true when it ends normally with exit code
// 0. Its standard output in out, its standard error (or "timed out", after
// which it is killed) in err.
bool runPython(const char* script, const QStringList& args, QByteArray& out, QString& err, int timeoutMs);

// The file as Python's xml.etree reads it, from the root element down:
// {"tag": name, "attrib": [[name, value], ...] in document order, "text": text
// or null, "children": [...]}. Comments are left out. An empty object and
// the reason in *error when Python fails to read it.
QJsonObject pythonXmlTree(const QString& file, QString* error = nullptr);

// The rows below the element reached from the root by `path` (tag names, empty
// for the root itself): per child element the values of `attributes` in that
// order, "<missing>" for an attribute it lacks.
std::vector<QStringList> pythonRows(const QJsonObject& root, const QStringList& path, const QStringList& attributes);

// The file `tables` saved to `file` passes xmllint, and Python reads back
// every stored cell of every row up to each table's end (the tables' texts
// must hold only characters XML can store). Adds gtest failures; skips the
// test when a tool is missing, so call it last.
void expectTableFileReadsBack(const TTableFile& tables, const QString& file);

// Paths of poppler's pdftotext and pdftoppm, empty when not installed.
QString pdftotextProgram();
QString pdftoppmProgram();
// The text of each page of a PDF file as pdftotext reads it (in reading
// order, `layout` keeps the page's columns apart); empty and the reason in
// *error when it fails.
QStringList pdfPageTexts(const QString& file, bool layout = false, QString* error = nullptr);
// One page (1-based) rendered by pdftoppm at `dpi`; a null image and the
// reason in *error when it fails. With `keepAs` the PNG is also kept there.
QImage pdfPageImage(const QString& file, int page, int dpi, const QString& keepAs = {}, QString* error = nullptr);

} // namespace testsupport

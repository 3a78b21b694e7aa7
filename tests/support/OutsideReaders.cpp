#include "OutsideReaders.h"

#include "app/services/TableFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace testsupport {

namespace {

constexpr int kToolTimeoutMs = 30000;

// Prints the tree as JSON; attributes keep document order (dicts are ordered).
const char* const kTreeScript = R"PY(
import json, sys
import xml.etree.ElementTree as ET
def tree(e):
    return {"tag": e.tag, "attrib": [[k, v] for k, v in e.attrib.items()], "text": e.text,
            "children": [tree(c) for c in e]}
sys.stdout.write(json.dumps(tree(ET.parse(sys.argv[1]).getroot())))
)PY";

bool run(const QString& program, const QStringList& args, QByteArray& out, QByteArray& err)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(kToolTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        err = "timed out";
        return false;
    }
    out = p.readAllStandardOutput();
    err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

QString xmllintProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("xmllint"));
}

bool xmllintPasses(const QString& file, QString* output)
{
    QByteArray out, err;
    const bool ok = run(xmllintProgram(), {QStringLiteral("--noout"), file}, out, err);
    if (output)
        *output = QString::fromUtf8(out + err);
    return ok;
}

QString pdftotextProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

QString pdftoppmProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
}

QStringList pdfPageTexts(const QString& file, bool layout, QString* error)
{
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    args << QStringLiteral("-enc") << QStringLiteral("UTF-8") << file << QStringLiteral("-");
    QByteArray out, err;
    if (!run(pdftotextProgram(), args, out, err)) {
        if (error)
            *error = QString::fromUtf8(err);
        return {};
    }
    // Pages end in a form feed.
    QStringList pages = QString::fromUtf8(out).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QImage pdfPageImage(const QString& file, int page, int dpi, const QString& keepAs, QString* error)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QByteArray out, err;
    const QStringList args{QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           QString::number(page), QStringLiteral("-l"), QString::number(page),
                           QStringLiteral("-singlefile"), file, prefix};
    if (!run(pdftoppmProgram(), args, out, err)) {
        if (error)
            *error = QString::fromUtf8(err);
        return {};
    }
    const QString png = prefix + QStringLiteral(".png");
    if (!keepAs.isEmpty()) {
        QFile::remove(keepAs);
        QFile::copy(png, keepAs);
    }
    return QImage(png);
}

QString pythonProgram()
{
    const QString python = QStringLiteral("/usr/bin/python3");
    return QFileInfo(python).isExecutable() ? python : QString();
}

QJsonObject pythonXmlTree(const QString& file, QString* error)
{
    QByteArray out, err;
    if (!run(pythonProgram(), {QStringLiteral("-c"), QString::fromUtf8(kTreeScript), file}, out, err)) {
        if (error)
            *error = QString::fromUtf8(err);
        return {};
    }
    return QJsonDocument::fromJson(out).object();
}

std::vector<QStringList> pythonRows(const QJsonObject& root, const QStringList& path, const QStringList& attributes)
{
    QJsonObject node = root;
    for (const QString& tag : path) {
        QJsonObject next;
        for (const QJsonValue& child : node.value(QStringLiteral("children")).toArray())
            if (child.toObject().value(QStringLiteral("tag")).toString() == tag) {
                next = child.toObject();
                break;
            }
        node = next;
    }
    std::vector<QStringList> rows;
    for (const QJsonValue& child : node.value(QStringLiteral("children")).toArray()) {
        QStringList row;
        const QJsonArray attrib = child.toObject().value(QStringLiteral("attrib")).toArray();
        for (const QString& name : attributes) {
            QString value = QStringLiteral("<missing>");
            for (const QJsonValue& pair : attrib)
                if (pair.toArray().at(0).toString() == name)
                    value = pair.toArray().at(1).toString();
            row << value;
        }
        rows.push_back(row);
    }
    return rows;
}

void expectTableFileReadsBack(const TTableFile& tables, const QString& file)
{
    if (xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    QString lint;
    EXPECT_TRUE(xmllintPasses(file, &lint)) << lint.toStdString();
    if (pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    QString error;
    const QJsonObject tree = pythonXmlTree(file, &error);
    ASSERT_FALSE(tree.isEmpty()) << error.toStdString();
    EXPECT_EQ(tree.value(QStringLiteral("tag")).toString(), tables.Spec().Root);
    for (int t = 0; t < tables.TableCount(); ++t) {
        const TTableSpec& spec = tables.Table(t);
        QStringList attributes;
        QList<int> columns;
        for (int c = 0; c < spec.ColumnCount(); ++c)
            if (!spec.Columns[size_t(c)].Attribute.isEmpty()) {
                attributes << spec.Columns[size_t(c)].Attribute;
                columns << c;
            }
        std::vector<QStringList> expected;
        const TTableRows& rows = tables.Rows(t);
        for (int r = 0; r < Table_End(spec, rows); ++r) {
            QStringList cells;
            for (int c : columns)
                cells << rows[size_t(r)].value(c);
            expected.push_back(cells);
        }
        const QStringList path = spec.Section.isEmpty() ? QStringList() : QStringList{spec.Section};
        EXPECT_EQ(pythonRows(tree, path, attributes), expected) << "table " << t;
    }
}

} // namespace testsupport

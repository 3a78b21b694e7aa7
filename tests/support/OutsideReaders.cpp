#include "OutsideReaders.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

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

} // namespace testsupport

#include "app/services/ParGenFile.h"

#include "app/services/UComon.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const char* const kIP[4] = {"MTCPs_IP1", "MTCPs_IP2", "MTCPs_IP3", "MTCPs_IP4"};
const char* const kSM[4] = {"MTCPs_SUB1", "MTCPs_SUB2", "MTCPs_SUB3", "MTCPs_SUB4"};
const char* const kGAT[4] = {"MTCPs_GAT1", "MTCPs_GAT2", "MTCPs_GAT3", "MTCPs_GAT4"};

// Each value is looked up on its own, so one bad element costs only itself.
bool childText(const fw::TXmlNode& root, const char* name, QString& text)
{
    if (!root.IsElement())
        return false;
    const fw::TXmlNode node = root.FindNode(QLatin1String(name));
    if (node.IsNull())
        return false;
    text = node.Text();
    return true;
}

void readText(const fw::TXmlNode& root, const char* name, QString& target)
{
    QString text;
    if (childText(root, name, text))
        target = text;
}

bool readFlag(const fw::TXmlNode& root, const char* name)
{
    QString text;
    return childText(root, name, text) && text == QLatin1String("1");
}

} // namespace

QString Xml_Safe_Text(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        const bool allowed = u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xD7FF)
                             || (u >= 0xE000 && u <= 0xFFFD);
        if (allowed)
            out += c;
    }
    return out;
}

void Read_ParGen_File(const QString& fileName, TParGen_Values& values)
{
    TParGen_Values read;
    if (!QFileInfo::exists(fileName)) {
        values = read;
        return;
    }
    fw::TXmlDocument doc;
    if (!doc.LoadFromFile(fileName))
        throw fw::EXmlError(doc.LastError());
    // A declaration or comment before the root must not hide the values.
    const fw::TXmlNode root = doc.DocumentElement();
    for (int i = 0; i < 4; ++i) {
        readText(root, kIP[i], read.IP[i]);
        readText(root, kSM[i], read.SM[i]);
        readText(root, kGAT[i], read.GAT[i]);
    }
    read.EN_GAT = readFlag(root, "MTCPs_EN_GAT");
    QString mode;
    if (childText(root, "DMX_DMX", mode))
        read.DMX_Mode = fw::StrToIntDef(mode, 1);
    readText(root, "DMX_Num_Channels", read.DMX_Num_Channels);
    readText(root, "DALI_CONSOLE_PORT", read.DALI_Console_Port);
    read.DALI_Disable_Scan = readFlag(root, "DALI_DISABLE_SCAN");
    read.DALI_En_DALI2 = readFlag(root, "DALI_ENABLE_DALI_2");
    values = read;
}

namespace {

// One element a line, so a technician can read the file in any editor.
const fw::TXmlSaveOptions kSaveOptions{false, true};

void buildDocument(fw::TXmlDocument& doc, const TParGen_Values& v)
{
    doc.Clear();
    fw::TXmlNode root = doc.AddChild(QStringLiteral("Par_Gen"));
    doc.AppendComment(QStringLiteral("SW_VERSION = 1.001"));
    auto add = [&root](const char* name, const QString& text) {
        root.AddChild(QLatin1String(name)).SetText(Xml_Safe_Text(text));
    };
    const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    for (int i = 0; i < 4; ++i)
        add(kIP[i], v.IP[i]);
    for (int i = 0; i < 4; ++i)
        add(kSM[i], v.SM[i]);
    add("MTCPs_EN_GAT", v.EN_GAT ? one : zero);
    for (int i = 0; i < 4; ++i)
        add(kGAT[i], v.GAT[i]);
    // A combo box without a selection is written as -1 (read back as DMX OUT).
    add("DMX_DMX", QString::number(v.DMX_Mode == 0 || v.DMX_Mode == 1 ? v.DMX_Mode : -1));
    add("DMX_Num_Channels", v.DMX_Num_Channels);
    add("DALI_CONSOLE_PORT", v.DALI_Console_Port);
    add("DALI_DISABLE_SCAN", v.DALI_Disable_Scan ? one : zero);
    add("DALI_ENABLE_DALI_2", v.DALI_En_DALI2 ? one : zero);
}

} // namespace

QString ParGen_Xml_Text(const TParGen_Values& values)
{
    fw::TXmlDocument doc;
    buildDocument(doc, values);
    return doc.XmlText(kSaveOptions);
}

void Write_ParGen_File(const QString& fileName, const TParGen_Values& values)
{
    fw::TXmlDocument doc;
    buildDocument(doc, values);
    if (!doc.SaveToFile(fileName, kSaveOptions))
        throw fw::EFileError(doc.LastError());
}

void Keep_Damaged_Copy(const QString& fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists() && !file.isSymLink())
        return;
    const QString copy = fileName + QStringLiteral(".bak");
    // One rename: the damaged bytes are never copied, so even a file too
    // large to read is kept whole.
    if (::rename(QFile::encodeName(fileName).constData(), QFile::encodeName(copy).constData()) != 0)
        throw fw::EFileError(QStringLiteral("Cannot keep a copy of \"%1\" as \"%2\": %3")
                                 .arg(fileName, copy, QString::fromLocal8Bit(std::strerror(errno))));
}

int ParGen_First_Error(const TParGen_Values& v)
{
    auto bad = [](const QString& text, int lo, int hi) {
        const int n = fw::StrToIntDef(text, -1);
        return n < lo || n > hi;
    };
    for (int i = 0; i < 4; ++i)
        if (bad(v.IP[i], 0, 255))
            return 469 + i;
    for (int i = 0; i < 4; ++i)
        if (bad(v.SM[i], 0, 255))
            return 473 + i;
    if (v.EN_GAT)
        for (int i = 0; i < 4; ++i)
            if (bad(v.GAT[i], 0, 255))
                return 477 + i;
    if (bad(v.DMX_Num_Channels, 24, 512))
        return 1242;
    return 0;
}

int DMX_Channel_Count(const QString& numChannels)
{
    const int count = fw::StrToIntDef(numChannels, DMX_Max_Channels);
    return count < 1 || count > DMX_Max_Channels ? DMX_Max_Channels : count;
}

#include "app/USaveBincc.h"

#include "app/services/ParGenFile.h"
#include "app/services/UComon.h"
#include "framework/AtomicFile.h"
#include "framework/Xml.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

TBank_Param Bank_Param;
std::array<std::uint8_t, Bank_DMX_Count> Bank_DMX_Values{};
std::array<std::uint8_t, Bank_Image_Capacity> Bank_Image{};
int Bank_Image_Len = 0;

void TBank_Param::Set_U16(int offset, std::uint16_t v)
{
    Bytes[std::size_t(offset)] = std::uint8_t(v);
    Bytes[std::size_t(offset) + 1] = std::uint8_t(v >> 8);
}

void TBank_Param::Set_U32(int offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        Bytes[std::size_t(offset + i)] = std::uint8_t(v >> (8 * i));
}

std::uint16_t TBank_Param::U16(int offset) const
{
    return std::uint16_t(Bytes[std::size_t(offset)] | (Bytes[std::size_t(offset) + 1] << 8));
}

std::uint32_t TBank_Param::U32(int offset) const
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | Bytes[std::size_t(offset + i)];
    return v;
}

void Init_Bank_Param()
{
    Bank_Param.Bytes.fill(0);
    Bank_Param.Set_U32(0x000, 125000);
    Bank_Param.Set_U32(0x00C, 9600);
    Bank_Param.Set_U16(0x010, 8);
    const std::uint8_t ip[4] = {192, 168, 2, 205};
    const std::uint8_t mask[4] = {255, 255, 255, 0};
    const std::uint8_t gateway[4] = {192, 168, 2, 1};
    for (int i = 0; i < 4; ++i) {
        Bank_Param.Set_U8(bank_offset::IP_Address + i, ip[i]);
        Bank_Param.Set_U8(bank_offset::Subnet_Mask + i, mask[i]);
        Bank_Param.Set_U8(bank_offset::Gateway + i, gateway[i]);
    }
    Bank_Param.Set_U16(0x034, 10000);
    Bank_Param.Set_U16(0x036, 10001);
    Bank_Param.Set_U16(0x038, 10001);
    Bank_Param.Set_U32(0x03C, 9600);
    Bank_Param.Set_U16(0x040, 8);
}

void Clear_DMX_Default_Values()
{
    Bank_DMX_Values.fill(0);
}

namespace {

// Loads an existing project file; a file that is there but cannot be read
// as XML stops the image build, as the user must fix it first.
bool loadProjectFile(fw::TXmlDocument& doc, const QString& fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return false;
    if (!doc.LoadFromFile(fileName))
        throw fw::EXmlError(doc.LastError());
    return true;
}

int childInt(const fw::TXmlNode& root, const char* name, int def)
{
    const fw::TXmlNode node = root.FindNode(QLatin1String(name));
    if (node.IsNull() || !root.IsElement())
        return def;
    return fw::StrToIntDef(node.Text(), def);
}

} // namespace

void Read_ParGen_Param()
{
    Bank_Param.Set_U32(bank_offset::DMX_Table_Address, 0x68800);

    fw::TXmlDocument doc;
    if (!loadProjectFile(doc, File_ParGen))
        return;
    // Read the root element itself, so a declaration or comment before it
    // does not hide the values.
    const fw::TXmlNode root = doc.DocumentElement();

    static const char* const ipNames[4] = {"MTCPs_IP1", "MTCPs_IP2", "MTCPs_IP3", "MTCPs_IP4"};
    static const char* const maskNames[4] = {"MTCPs_SUB1", "MTCPs_SUB2", "MTCPs_SUB3", "MTCPs_SUB4"};
    static const char* const gatewayNames[4] = {"MTCPs_GAT1", "MTCPs_GAT2", "MTCPs_GAT3", "MTCPs_GAT4"};
    static const int ipDefaults[4] = {192, 168, 0, 10};
    static const int maskDefaults[4] = {255, 255, 255, 0};
    static const int gatewayDefaults[4] = {192, 168, 0, 1};
    for (int i = 0; i < 4; ++i) {
        Bank_Param.Set_U8(bank_offset::IP_Address + i, std::uint8_t(childInt(root, ipNames[i], ipDefaults[i])));
        Bank_Param.Set_U8(bank_offset::Subnet_Mask + i,
                          std::uint8_t(childInt(root, maskNames[i], maskDefaults[i])));
        Bank_Param.Set_U8(bank_offset::Gateway + i,
                          std::uint8_t(childInt(root, gatewayNames[i], gatewayDefaults[i])));
    }

    const fw::TXmlNode enableGateway = root.IsElement() ? root.FindNode(QStringLiteral("MTCPs_EN_GAT")) : fw::TXmlNode();
    if (enableGateway.IsNull() || enableGateway.Text() == QLatin1String("0")) {
        for (int i = 0; i < 4; ++i)
            Bank_Param.Set_U8(bank_offset::Gateway + i, 255);
    }

    Bank_Param.Set_U16(0x036, 10001);
    Bank_Param.Set_U16(0x038, 10001);

    const int mode = childInt(root, "DMX_DMX", 1);
    // A hand-edited count the window would never accept must not put a
    // channel count into the image that the device cannot serve.
    const fw::TXmlNode count = root.IsElement() ? root.FindNode(QStringLiteral("DMX_Num_Channels")) : fw::TXmlNode();
    const int channels = DMX_Channel_Count(count.IsNull() ? QString() : count.Text());
    if (mode == 0) {
        Bank_Param.Set_U16(bank_offset::DMX_In_Channels, std::uint16_t(channels));
        Bank_Param.Set_U16(bank_offset::DMX_Out_Channels, 0);
    } else {
        Bank_Param.Set_U16(bank_offset::DMX_Out_Channels, std::uint16_t(channels));
        Bank_Param.Set_U16(bank_offset::DMX_In_Channels, 0);
    }
    Bank_Param.Set_U32(0x274, 0);
}

void Read_DMX_Default_Values()
{
    fw::TXmlDocument doc;
    if (!loadProjectFile(doc, File_DMX_Default_Values))
        return;
    // The rows are the root's elements, as the DMX default values window
    // reads them: a comment between rows is no channel.
    const fw::TXmlNode root = doc.DocumentElement();
    int i = 0;
    for (fw::TXmlNode row : root.ChildNodes()) {
        if (!row.IsElement())
            continue;
        if (i >= Bank_DMX_Count)
            break;
        const int value = row.HasAttribute(QStringLiteral("Default_Value"))
                              ? fw::StrToIntDef(row.Attribute(QStringLiteral("Default_Value")), 0)
                              : 0;
        Bank_DMX_Values[std::size_t(i)] = std::uint8_t(value);
        ++i;
    }
}

std::uint32_t Bank_Param_Checksum(const TBank_Param& param)
{
    std::uint32_t sum = 0;
    for (int i = 0; i < TBank_Param::Checksum_Offset; ++i)
        sum += param.Bytes[std::size_t(i)];
    return sum;
}

int Copy_Bank_Param(int position, std::uint8_t* buffer)
{
    Bank_Param.Set_U32(TBank_Param::Checksum_Offset, Bank_Param_Checksum(Bank_Param));
    std::memcpy(buffer + position, Bank_Param.Bytes.data(), TBank_Param::Size);
    return position + TBank_Param::Size;
}

int Copy_DMX_Default_Values(int position, std::uint8_t* buffer)
{
    std::memcpy(buffer + position, Bank_DMX_Values.data(), Bank_DMX_Count);
    return position + Bank_DMX_Count;
}

void Build_Bank_Image()
{
    Init_Bank_Param();
    Clear_DMX_Default_Values();
    Read_ParGen_Param();
    Read_DMX_Default_Values();
    int position = 0;
    position = Copy_Bank_Param(position, Bank_Image.data());
    position = Copy_DMX_Default_Values(position, Bank_Image.data());
    Bank_Image_Len = position;
}

bool Write_Bank_File(QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (Path_Project.isEmpty())
        return fail(QStringLiteral("No project is open: the configuration image cannot be written."));
    const QString binFolder = Path_Project + QStringLiteral("/bin");
    // A link, for the project or its bin, would send the image that goes
    // into the device to wherever it points.
    for (const QString& folder : {Path_Project, binFolder})
        if (QFileInfo(folder).isSymLink())
            return fail(QStringLiteral("The folder \"%1\" is a link: the configuration image is written only into "
                                       "the project's own bin folder.")
                            .arg(QDir::toNativeSeparators(folder)));
    if (!QDir().mkpath(binFolder) || !Is_Real_Folder(binFolder))
        return fail(QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(binFolder)));
    const QString fileName = binFolder + QStringLiteral("/bank.bin");
    QString reason;
    const QByteArray bytes(reinterpret_cast<const char*>(Bank_Image.data()), Bank_Image_Len);
    if (!fw::WriteFileAtomically(fileName, bytes, &reason))
        return fail(QStringLiteral("Cannot write the configuration image \"%1\": %2")
                        .arg(QDir::toNativeSeparators(fileName), reason));
    return true;
}

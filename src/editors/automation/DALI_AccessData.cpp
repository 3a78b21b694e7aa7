#include "editors/automation/DALI_AccessData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/automation/AutomationColours.h"
#include "framework/AtomicFile.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"
#include "framework/Xml.h"

#include <QFileInfo>

namespace {

const QString kRoot = QStringLiteral("DALI_Access");
constexpr int kEnable = 1;

QString elementName(int address)
{
    return QStringLiteral("DALI_ID_DEVICE_") + QString::number(address);
}

bool enabled(const QStringList& row)
{
    return fw::UpperCase(fw::Trim(row.value(kEnable))) == QLatin1String("Y");
}

const QStringList kDimmingModes = {QStringLiteral("Normal"), QStringLiteral("Start Break")};
const QStringList kRecallLevels = {QStringLiteral("None"), QStringLiteral("Recall Min-Max Level for Switch"),
                                   QStringLiteral("Recall Old Value Level for Switch")};

} // namespace

TTableSpec DALI_Device_Spec()
{
    return Table_Spec(2555, {}, DALI_Devices, kEnable, {
        Column(758, edNone, 200, Cell_Colour_Number),
        Column(759, edDataCheckBox, 90, Cell_Colour_Text, {}, "N").Centre(),
        Column(760, edNone, 190).Hide(),
        Column(761, edComboList, 190).With_Items(kDimmingModes).Hide(),
        Column(762, edDataCheckBox, 90).Hide(),
        Column(763, edComboList, 190).With_Items(kRecallLevels).Hide(),
    });
}

QString DALI_Device_Label(int row)
{
    return Lang_Text(609 + row);
}

TTableSpec DALI_Group_Spec()
{
    return Table_Spec(764, {}, 17, 0, {
        Column(764, edNone, 290, Cell_Colour_Number),
        Column(765, edComboList, 190).With_Items(kDimmingModes),
        Column(766, edDataCheckBox, 90),
        Column(767, edComboList, 190).With_Items(kRecallLevels),
    });
}

QString DALI_Group_Label(int row)
{
    return Lang_Text(767 + row);
}

TDALI_Access_File::TDALI_Access_File() : m_devices(Default_Table_Rows(DALI_Device_Spec())) {}

TTableLoadReport TDALI_Access_File::Load(const QString& fileName)
{
    m_devices = Default_Table_Rows(DALI_Device_Spec());
    TTableLoadReport report;
    fw::TXmlDocument doc;
    report.State = Load_Project_Xml(fileName, kRoot, doc, &report.Error);
    m_keepBackup = report.State == TProjectFileState::Unreadable;
    if (report.State != TProjectFileState::Loaded)
        return report;
    const fw::TXmlNode root = doc.DocumentElement();
    for (int r = 1; r <= DALI_Devices; ++r) {
        const fw::TXmlNode node = root.FindNode(elementName(r - 1));
        m_devices[size_t(r - 1)][kEnable] = !node.IsNull() && node.Text() == QLatin1String("1") ? QStringLiteral("Y")
                                                                                               : QStringLiteral("N");
    }
    return report;
}

namespace {

void buildDocument(fw::TXmlDocument& doc, const TTableRows& devices)
{
    fw::TXmlNode root = doc.AddChild(kRoot);
    for (int r = 1; r <= DALI_Devices; ++r)
        root.AddChild(elementName(r - 1))
            .SetText(enabled(devices[size_t(r - 1)]) ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

QString TDALI_Access_File::Xml_Text() const
{
    fw::TXmlDocument doc;
    buildDocument(doc, m_devices);
    return Project_Xml_Text(doc);
}

void TDALI_Access_File::Save(const QString& fileName)
{
    fw::TXmlDocument doc;
    buildDocument(doc, m_devices);
    Save_Project_Xml(fileName, doc, m_keepBackup);
    m_keepBackup = false;
}

int DALI_Enabled_Count(const TTableRows& devices)
{
    int n = 0;
    for (const QStringList& row : devices)
        n += enabled(row) ? 1 : 0;
    return n;
}

QString Check_Dimming_mode(const QString& dimmingMode)
{
    return dimmingMode == kDimmingModes[1] ? kDimmingModes[1] : kDimmingModes[0];
}

QString Check_ReCall_Level(const QString& reCallLevel)
{
    return kRecallLevels.contains(reCallLevel) ? reCallLevel : kRecallLevels[0];
}

// ---- DALI maps file --------------------------------------------------------

QString DALI_Maps_File_Name(const QString& chosen)
{
    const QString name = QFileInfo(chosen).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    if (fw::UpperCase(fw::Trim(extension)) == QLatin1String(".CSV"))
        return chosen;
    return chosen + QStringLiteral(".csv");
}

QByteArray DALI_Maps_Bytes(const TTableRows& devices)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = Lang_Text(756) + crlf;
    int a = 0;
    for (size_t r = 0; r < devices.size(); ++r) {
        if (!enabled(devices[r]))
            continue;
        // Every enabled device owns 8 consecutive bytes; the last two are its group.
        text += QStringLiteral("%1; %2; %3; %4; %5; %6; %7; %8, %9;")
                    .arg(r + 1)
                    .arg(a)
                    .arg(a + 1)
                    .arg(a + 2)
                    .arg(a + 3)
                    .arg(a + 4)
                    .arg(a + 5)
                    .arg(a + 6)
                    .arg(a + 7)
                + crlf;
        a += 8;
    }
    return fw::EncodeCp1252(text);
}

void Write_DALI_Maps(const QString& fileName, const TTableRows& devices)
{
    QString error;
    if (!fw::WriteFileAtomically(fileName, DALI_Maps_Bytes(devices), &error))
        throw fw::EFileError(error);
}

bool Export_DALI_Maps(const TTableRows& devices)
{
    fw::TSaveDialog dialog;
    dialog.InitialDir = Path_Project;
    dialog.Filter = QStringLiteral("Comma-separated value (CSV file)|*.csv");
    if (!dialog.Execute())
        return false;
    const QString fileName = DALI_Maps_File_Name(dialog.FileName);
    if (QFileInfo::exists(fileName)
        && fw::MessageDlg(Lang_Text(755), fw::mtConfirmation, fw::mbYesNoCancel) != fw::mrYes)
        return false;
    Write_DALI_Maps(fileName, devices);
    return true;
}

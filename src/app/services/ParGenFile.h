#pragma once
// The values of ParGen.xml as the general parameters window edits them, and
// the file's reading, validation and writing. Kept apart from the window so
// the configuration image and the tests use the very same rules.
#include <QString>

struct TParGen_Values {
    QString IP[4] = {QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("0"), QStringLiteral("10")};
    QString SM[4] = {QStringLiteral("255"), QStringLiteral("255"), QStringLiteral("255"), QStringLiteral("0")};
    bool EN_GAT = false;
    QString GAT[4] = {QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("0"), QStringLiteral("1")};
    int DMX_Mode = 1;   // combo box item index: 0 DMX IN, 1 DMX OUT, -1 none
    QString DMX_Num_Channels = QStringLiteral("512");
    QString DALI_Console_Port = QStringLiteral("10001");
    bool DALI_Disable_Scan = false;
    bool DALI_En_DALI2 = false;
};

// Reads fileName into values. A missing file gives the defaults; each value
// missing or unreadable on its own keeps its default. A file that is not
// well-formed XML throws fw::EXmlError and leaves values untouched.
void Read_ParGen_File(const QString& fileName, TParGen_Values& values);

// Rebuilds the whole document (root, the 18 values in their fixed order, the
// version comment after the root) and saves it atomically. Throws
// fw::EFileError when the file cannot be written.
void Write_ParGen_File(const QString& fileName, const TParGen_Values& values);
QString ParGen_Xml_Text(const TParGen_Values& values);

// Moves a file that could not be read to fileName + ".bak" (replacing an
// older copy), so that saving over it loses nothing. A file that is gone
// already is left alone. Throws fw::EFileError when it cannot be moved.
void Keep_Damaged_Copy(const QString& fileName);

// The first invalid value in field order, as the index of its message in the
// text table; 0 when every checked value is valid.
int ParGen_First_Error(const TParGen_Values& values);

// The DMX channel count a DMX_Num_Channels text stands for: 512 for a text
// that is no number or a number outside 1 .. 512, which the device cannot
// serve (the window only saves 24 .. 512; a hand-edited file may hold any).
int DMX_Channel_Count(const QString& numChannels);
constexpr int DMX_Max_Channels = 512;

// Removes the characters XML 1.0 cannot hold, so a written file always loads.
QString Xml_Safe_Text(const QString& text);

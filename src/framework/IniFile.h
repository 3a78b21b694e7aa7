#pragma once
// INI store kept in memory: sections and keys keep the order in which they
// were read or added, names compare case-insensitively, and UpdateFile writes
// the whole file atomically. Nothing reaches the disk before UpdateFile.
#include <QString>

#include <memory>

namespace fw {

class TStringList;

class TIniFile {
public:
    // Reads the file when it exists (UTF-8, a byte-order mark is skipped);
    // a missing or unreadable file gives an empty store. An existing file
    // that cannot be read (too large, a folder, no access) is never
    // replaced: UpdateFile then fails with the read error.
    explicit TIniFile(const QString& fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    QString FileName() const;

    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    // Lenient integer text (StrToIntDef); anything else gives def.
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    // An integer value other than 0 is true; a text that is not an integer gives def.
    bool ReadBool(const QString& section, const QString& ident, bool def) const;

    // A new section or key is appended; an existing key keeps its place and spelling.
    // A line break (CR or LF) in the section, key or value is stored as a blank.
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void WriteInteger(const QString& section, const QString& ident, int value);
    void WriteBool(const QString& section, const QString& ident, bool value);   // "1" / "0"

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& ident);

    // Fill the list (cleared first) with the key names of a section, the
    // "name=value" lines of a section, or the section names, in file order.
    void ReadSection(const QString& section, TStringList& idents) const;
    void ReadSectionValues(const QString& section, TStringList& values) const;
    void ReadSections(TStringList& sections) const;

    // Writes the store to FileName, replacing the file only once the new
    // content is safely on disk. False with LastError() on failure.
    bool UpdateFile();
    QString LastError() const;
    // The file exists but could not be read: the store is empty for that
    // reason, not because nothing was saved.
    bool ReadFailed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A value as it can stand on one line of the file and come back whole: a
// backslash is written as \\, CR as \r, LF as \n; a value that begins or
// ends with a blank or a double quote is put in double quotes, since the
// store trims values and a reader takes surrounding quotes off. Reading
// takes the quotes off and turns the three sequences back; a backslash
// before any other character stays as it stands, so values written
// without escapes read as before.
QString EscapeIniValue(const QString& value);
QString UnescapeIniValue(const QString& text);

} // namespace fw

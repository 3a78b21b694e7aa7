#pragma once
// Records of the binary component stream: "TPF0", a class name, an empty
// component name, named typed properties, and two closing zero bytes. The
// writer picks the smallest integer form and the string form the format
// prescribes; the reader takes one record apart without trusting any
// length in it: every count is checked against the bytes left.
#include "framework/Types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace fxexchange {

enum TValueType : quint8 {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaWString = 18, vaUTF8String = 20
};

// A property value as read.
struct TStreamValue {
    enum Kind { Integer, Float, Ident, Boolean, String, Binary, Set, List } kind = Integer;
    qint64 Int = 0;
    double Real = 0;
    bool Bool = false;
    QString Text;          // strings and identifiers
    QByteArray Bytes;      // binary data
    QStringList Items;     // set members, or the texts of a list of strings
};

struct TStreamRecord {
    QString ClassName;
    std::vector<std::pair<QString, TStreamValue>> Properties;
    // The value of a property by its exact name, or null.
    const TStreamValue* Find(const QString& name) const;
};

class TComponentRecordWriter {
public:
    explicit TComponentRecordWriter(QByteArray& out) : Out(out) {}
    void Begin(const QString& className);
    void Integer(const QString& name, qint64 value);   // 8, 16 or 32 bits, whichever is smallest
    void Boolean(const QString& name, bool value);
    void Ident(const QString& name, const QString& value);
    void String(const QString& name, const QString& value);
    void Float(const QString& name, double value);
    void Binary(const QString& name, const QByteArray& value);
    void Set(const QString& name, const QStringList& members);
    void StringList(const QString& name, const QStringList& items);
    // A colour: its framework name when it has one, else its number.
    void Color(const QString& name, fw::TColor value);
    void End();

private:
    void Name(const QString& name);
    void StringValue(const QString& value);
    QByteArray& Out;
};

// Reads one record at pos; on success pos is past it. False with a reason
// when the bytes are not a complete, well-formed record.
bool ReadComponentRecord(const QByteArray& data, qsizetype& pos, TStreamRecord& record, QString& error);

// The 10-byte extended form of a double and back.
QByteArray DoubleToExtended(double value);
double ExtendedToDouble(const char* bytes);

// The framework's colour names: "clNone" for $1FFFFFFF and so on.
std::optional<QString> ColorIdent(fw::TColor value);
std::optional<fw::TColor> IdentColor(const QString& name);

} // namespace fxexchange

#include "grid/exchange/FxComponentStream.h"

#include <cmath>
#include <cstring>

namespace fxexchange {

namespace {

const char Signature[4] = {'T', 'P', 'F', '0'};

struct TColorName {
    fw::TColor value;
    const char* name;
};

const TColorName ColorNames[] = {
    {fw::clBlack, "clBlack"}, {fw::clMaroon, "clMaroon"}, {fw::clGreen, "clGreen"}, {fw::clOlive, "clOlive"},
    {fw::clNavy, "clNavy"}, {fw::clPurple, "clPurple"}, {fw::clTeal, "clTeal"}, {fw::clGray, "clGray"},
    {fw::clSilver, "clSilver"}, {fw::clRed, "clRed"}, {fw::clLime, "clLime"}, {fw::clYellow, "clYellow"},
    {fw::clBlue, "clBlue"}, {fw::clFuchsia, "clFuchsia"}, {fw::clAqua, "clAqua"}, {fw::clWhite, "clWhite"},
    {fw::clMoneyGreen, "clMoneyGreen"}, {fw::clSkyBlue, "clSkyBlue"}, {fw::clCream, "clCream"},
    {fw::clMedGray, "clMedGray"}, {fw::clNone, "clNone"}, {fw::clDefault, "clDefault"},
    {fw::clScrollBar, "clScrollBar"}, {fw::clBackground, "clBackground"}, {fw::clActiveCaption, "clActiveCaption"},
    {fw::clInactiveCaption, "clInactiveCaption"}, {fw::clMenu, "clMenu"}, {fw::clWindow, "clWindow"},
    {fw::clWindowFrame, "clWindowFrame"}, {fw::clMenuText, "clMenuText"}, {fw::clWindowText, "clWindowText"},
    {fw::clCaptionText, "clCaptionText"}, {fw::clActiveBorder, "clActiveBorder"},
    {fw::clInactiveBorder, "clInactiveBorder"}, {fw::clAppWorkSpace, "clAppWorkSpace"},
    {fw::clHighlight, "clHighlight"}, {fw::clHighlightText, "clHighlightText"}, {fw::clBtnFace, "clBtnFace"},
    {fw::clBtnShadow, "clBtnShadow"}, {fw::clGrayText, "clGrayText"}, {fw::clBtnText, "clBtnText"},
    {fw::clInactiveCaptionText, "clInactiveCaptionText"}, {fw::clBtnHighlight, "clBtnHighlight"},
    {fw::cl3DDkShadow, "cl3DDkShadow"}, {fw::cl3DLight, "cl3DLight"}, {fw::clInfoText, "clInfoText"},
    {fw::clInfoBk, "clInfoBk"}, {fw::clHotLight, "clHotLight"},
    {fw::clGradientActiveCaption, "clGradientActiveCaption"},
    {fw::clGradientInactiveCaption, "clGradientInactiveCaption"}, {fw::clMenuHighlight, "clMenuHighlight"},
    {fw::clMenuBar, "clMenuBar"},
};

void PutLE(QByteArray& out, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

quint64 GetLE(const char* p, int bytes)
{
    quint64 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint64(uchar(p[i])) << (8 * i);
    return v;
}

void ShortBytes(QByteArray& out, const QByteArray& bytes)
{
    out += char(qMin<qsizetype>(bytes.size(), 255));
    out += bytes.left(255);
}

// Bounded reading over one buffer.
class TCursor {
public:
    TCursor(const QByteArray& d, qsizetype p) : Data(d), Pos(p) {}
    qsizetype Left() const { return Data.size() - Pos; }
    bool Byte(quint8& b)
    {
        if (Left() < 1)
            return false;
        b = quint8(Data[Pos++]);
        return true;
    }
    bool Bytes(qsizetype n, const char*& p)
    {
        if (n < 0 || Left() < n)
            return false;
        p = Data.constData() + Pos;
        Pos += n;
        return true;
    }
    bool Le(int n, quint64& v)
    {
        const char* p = nullptr;
        if (!Bytes(n, p))
            return false;
        v = GetLE(p, n);
        return true;
    }
    bool ShortString(QString& s)
    {
        quint8 n = 0;
        const char* p = nullptr;
        if (!Byte(n) || !Bytes(n, p))
            return false;
        s = QString::fromUtf8(p, n);
        return true;
    }
    const QByteArray& Data;
    qsizetype Pos;
};

bool ReadValue(TCursor& c, quint8 type, TStreamValue& v, QString& error, int depth);

bool ReadScalar(TCursor& c, quint8 type, TStreamValue& v)
{
    quint64 raw = 0;
    const char* p = nullptr;
    switch (type) {
    case vaInt8:
        if (!c.Le(1, raw)) return false;
        v.kind = TStreamValue::Integer;
        v.Int = qint8(raw);
        return true;
    case vaInt16:
        if (!c.Le(2, raw)) return false;
        v.kind = TStreamValue::Integer;
        v.Int = qint16(raw);
        return true;
    case vaInt32:
        if (!c.Le(4, raw)) return false;
        v.kind = TStreamValue::Integer;
        v.Int = qint32(raw);
        return true;
    case vaExtended:
        if (!c.Bytes(10, p)) return false;
        v.kind = TStreamValue::Float;
        v.Real = ExtendedToDouble(p);
        return true;
    case vaString:
        v.kind = TStreamValue::String;
        return c.ShortString(v.Text);
    case vaIdent:
        v.kind = TStreamValue::Ident;
        return c.ShortString(v.Text);
    case vaFalse:
    case vaTrue:
        v.kind = TStreamValue::Boolean;
        v.Bool = type == vaTrue;
        return true;
    case vaBinary:
        if (!c.Le(4, raw) || !c.Bytes(qsizetype(raw), p)) return false;
        v.kind = TStreamValue::Binary;
        v.Bytes = QByteArray(p, qsizetype(raw));
        return true;
    case vaLString:
    case vaUTF8String:
        if (!c.Le(4, raw) || !c.Bytes(qsizetype(raw), p)) return false;
        v.kind = TStreamValue::String;
        v.Text = type == vaLString ? QString::fromLatin1(p, qsizetype(raw)) : QString::fromUtf8(p, qsizetype(raw));
        return true;
    case vaWString:
        if (!c.Le(4, raw) || raw > quint64(c.Left() / 2) || !c.Bytes(qsizetype(raw) * 2, p)) return false;
        v.kind = TStreamValue::String;
        v.Text.resize(qsizetype(raw));
        for (qsizetype i = 0; i < qsizetype(raw); ++i)
            v.Text[i] = QChar(char16_t(GetLE(p + 2 * i, 2)));
        return true;
    default:
        return false;
    }
}

bool ReadValue(TCursor& c, quint8 type, TStreamValue& v, QString& error, int depth)
{
    if (type == vaSet) {
        v.kind = TStreamValue::Set;
        for (;;) {
            QString member;
            if (!c.ShortString(member))
                return false;
            if (member.isEmpty())
                return true;
            v.Items << member;
        }
    }
    if (type == vaList) {
        // Only flat lists of strings occur in our records.
        if (depth > 0) {
            error = QStringLiteral("nested list");
            return false;
        }
        v.kind = TStreamValue::List;
        for (;;) {
            quint8 t = 0;
            if (!c.Byte(t))
                return false;
            if (t == vaNull)
                return true;
            TStreamValue item;
            if (!ReadValue(c, t, item, error, depth + 1) || item.kind != TStreamValue::String) {
                if (error.isEmpty())
                    error = QStringLiteral("list item is not a string");
                return false;
            }
            v.Items << item.Text;
        }
    }
    if (!ReadScalar(c, type, v)) {
        error = QStringLiteral("bad or truncated value of type %1").arg(type);
        return false;
    }
    return true;
}

} // namespace

const TStreamValue* TStreamRecord::Find(const QString& name) const
{
    for (const auto& [n, v] : Properties)
        if (n == name)
            return &v;
    return nullptr;
}

void TComponentRecordWriter::Begin(const QString& className)
{
    Out.append(Signature, 4);
    ShortBytes(Out, className.toUtf8());
    Out += char(0);   // the component has no name
}

void TComponentRecordWriter::Name(const QString& name)
{
    ShortBytes(Out, name.toUtf8());
}

void TComponentRecordWriter::Integer(const QString& name, qint64 value)
{
    Name(name);
    if (value >= -128 && value <= 127) {
        Out += char(vaInt8);
        PutLE(Out, quint64(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        Out += char(vaInt16);
        PutLE(Out, quint64(value), 2);
    } else {
        Out += char(vaInt32);
        PutLE(Out, quint64(qint32(value)), 4);
    }
}

void TComponentRecordWriter::Boolean(const QString& name, bool value)
{
    Name(name);
    Out += char(value ? vaTrue : vaFalse);
}

void TComponentRecordWriter::Ident(const QString& name, const QString& value)
{
    Name(name);
    Out += char(vaIdent);
    ShortBytes(Out, value.toUtf8());
}

void TComponentRecordWriter::StringValue(const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    if (utf8.size() >= 2 * value.size() && !value.isEmpty()) {
        Out += char(vaWString);
        PutLE(Out, quint64(value.size()), 4);
        for (const QChar ch : value)
            PutLE(Out, ch.unicode(), 2);
        return;
    }
    bool high = false;
    for (const char b : utf8)
        high = high || uchar(b) >= 128;
    if (high) {
        Out += char(vaUTF8String);
        PutLE(Out, quint64(utf8.size()), 4);
        Out += utf8;
    } else if (utf8.size() >= 256) {
        Out += char(vaLString);
        PutLE(Out, quint64(utf8.size()), 4);
        Out += utf8;
    } else {
        Out += char(vaString);
        ShortBytes(Out, utf8);
    }
}

void TComponentRecordWriter::String(const QString& name, const QString& value)
{
    Name(name);
    StringValue(value);
}

void TComponentRecordWriter::Float(const QString& name, double value)
{
    Name(name);
    Out += char(vaExtended);
    Out += DoubleToExtended(value);
}

void TComponentRecordWriter::Binary(const QString& name, const QByteArray& value)
{
    Name(name);
    Out += char(vaBinary);
    PutLE(Out, quint64(value.size()), 4);
    Out += value;
}

void TComponentRecordWriter::Set(const QString& name, const QStringList& members)
{
    Name(name);
    Out += char(vaSet);
    for (const QString& m : members)
        ShortBytes(Out, m.toUtf8());
    Out += char(0);
}

void TComponentRecordWriter::StringList(const QString& name, const QStringList& items)
{
    Name(name);
    Out += char(vaList);
    for (const QString& s : items)
        StringValue(s);
    Out += char(vaNull);
}

void TComponentRecordWriter::Color(const QString& name, fw::TColor value)
{
    if (const auto ident = ColorIdent(value))
        Ident(name, *ident);
    else
        Integer(name, qint32(value));
}

void TComponentRecordWriter::End()
{
    Out += char(0);   // end of the properties
    Out += char(0);   // no child components
}

bool ReadComponentRecord(const QByteArray& data, qsizetype& pos, TStreamRecord& record, QString& error)
{
    TCursor c(data, pos);
    record = TStreamRecord();
    error.clear();
    const char* sig = nullptr;
    if (!c.Bytes(4, sig) || std::memcmp(sig, Signature, 4) != 0) {
        error = QStringLiteral("no record signature");
        return false;
    }
    QString componentName;
    if (!c.ShortString(record.ClassName) || record.ClassName.isEmpty() || !c.ShortString(componentName)) {
        error = QStringLiteral("truncated record head");
        return false;
    }
    for (;;) {
        QString name;
        if (!c.ShortString(name)) {
            error = QStringLiteral("truncated property list");
            return false;
        }
        if (name.isEmpty())
            break;
        quint8 type = 0;
        TStreamValue v;
        if (!c.Byte(type) || !ReadValue(c, type, v, error, 0)) {
            if (error.isEmpty())
                error = QStringLiteral("truncated property ") + name;
            return false;
        }
        record.Properties.emplace_back(name, v);
    }
    quint8 children = 1;
    if (!c.Byte(children) || children != 0) {
        error = QStringLiteral("child components are not expected");
        return false;
    }
    pos = c.Pos;
    return true;
}

QByteArray DoubleToExtended(double value)
{
    QByteArray out(10, '\0');
    quint64 mantissa = 0;
    int exponent = 0;
    bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e);   // m in [0.5, 1)
        mantissa = quint64(std::ldexp(m, 64));
        exponent = e - 1 + 16383;
    }
    quint64 bits = mantissa;
    for (int i = 0; i < 8; ++i)
        out[i] = char((bits >> (8 * i)) & 0xFF);
    const quint16 se = quint16(exponent | (negative ? 0x8000 : 0));
    out[8] = char(se & 0xFF);
    out[9] = char(se >> 8);
    return out;
}

double ExtendedToDouble(const char* bytes)
{
    const quint64 mantissa = GetLE(bytes, 8);
    const quint16 se = quint16(GetLE(bytes + 8, 2));
    const bool negative = se & 0x8000;
    const int exponent = se & 0x7FFF;
    double v = 0;
    if (exponent == 0x7FFF)
        v = (mantissa << 1) ? std::nan("") : INFINITY;
    else if (mantissa != 0)
        v = std::ldexp(double(mantissa), exponent - 16383 - 63);
    return negative ? -v : v;
}

std::optional<QString> ColorIdent(fw::TColor value)
{
    for (const TColorName& n : ColorNames)
        if (n.value == value)
            return QString::fromLatin1(n.name);
    return std::nullopt;
}

std::optional<fw::TColor> IdentColor(const QString& name)
{
    for (const TColorName& n : ColorNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.value;
    return std::nullopt;
}

} // namespace fxexchange

#include "grid/exchange/FxExchangeIo.h"

#include "framework/AtomicFile.h"
#include "framework/TextFile.h"
#include "grid/exchange/FxNativeCellText.h"
#include "grid/model/FxGrid.h"

#include <QStringList>
#include <QSysInfo>

namespace fxexchange {

std::function<void(int)> ProgressSink(TFxStringGrid& grid)
{
    if (!grid.Events().OnFileProgress)
        return {};
    return [&grid](int p) { grid.Events().OnFileProgress(&grid, qint16(p)); };
}

void WriteGridTextFile(const QString& fileName, const QString& text, TTextEncoding encoding)
{
    QByteArray bytes;
    switch (encoding) {
    case TTextEncoding::Utf16LeBom:
        bytes.reserve(2 + text.size() * 2);
        bytes.append("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        // The file is little-endian whatever the machine.
        if (QSysInfo::ByteOrder == QSysInfo::BigEndian)
            for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
                std::swap(bytes[i], bytes[i + 1]);
        break;
    case TTextEncoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case TTextEncoding::Ansi:
        bytes = fw::EncodeCp1252(text);
        break;
    }
    WriteGridFileBytes(fileName, bytes);
}

void WriteGridFileBytes(const QString& fileName, const QByteArray& bytes)
{
    QString error;
    if (!fw::WriteFileAtomically(fileName, bytes, &error))
        throw EFxGridError(QStringLiteral("Cannot Create file ") + fileName + QStringLiteral(": ") + error);
}

TGridFileOutput::TGridFileOutput(const QString& fileName) : File(fileName), FileName(fileName)
{
    QString error;
    if (!File.Open(&error))
        Fail(error);
}

void TGridFileOutput::Write(const char* data, qsizetype size)
{
    QString error;
    if (!File.Write(data, size, &error))
        Fail(error);
}

void TGridFileOutput::Commit()
{
    QString error;
    if (!File.Commit(&error))
        Fail(error);
}

void TGridFileOutput::Fail(const QString& reason) const
{
    throw EFxGridError(QStringLiteral("Cannot Create file ") + FileName + QStringLiteral(": ") + reason);
}

QString ReadGridTextFile(const QString& fileName)
{
    QByteArray bytes;
    QString error;
    if (!fw::ReadFileBytes(fileName, MaxGridFileBytes, bytes, &error))
        throw fw::EFileError(QStringLiteral("Cannot open file ") + fileName + QStringLiteral(": ") + error);
    return fw::DecodeText(bytes);
}

QByteArray ReadGridStream(QIODevice& stream)
{
    QByteArray bytes;
    QString error;
    if (!fw::ReadDeviceBytes(stream, MaxGridFileBytes, bytes, &error))
        throw EFxGridError(error.isEmpty() ? QStringLiteral("The stream holds more than %1 bytes").arg(MaxGridFileBytes)
                                           : QStringLiteral("Cannot read the stream: ") + error);
    return bytes;
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

} // namespace fxexchange

#pragma once
// The system clipboard with text and named custom formats. Between Open and
// Close several formats form one clipboard content; outside, each write
// replaces the content.
#include <QByteArray>
#include <QString>

#include <memory>

namespace fw {

class TClipboard {
public:
    TClipboard();
    ~TClipboard();

    QString AsText() const;
    void SetAsText(const QString& text);

    // format: a registered name ("TFxStringGrid Cells", "Rich Text Format",
    // "HTML Format") or a MIME type.
    bool HasFormat(const QString& format) const;
    QByteArray GetData(const QString& format) const;
    void SetData(const QString& format, const QByteArray& data);

    void Open();
    void Close();
    void Clear();

    // The MIME type that carries a format name on this system.
    static QString MimeOf(const QString& format);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

TClipboard& Clipboard();

} // namespace fw

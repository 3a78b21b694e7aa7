#include "framework/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace fw {

struct TClipboard::Impl {
    int openCount = 0;
    std::unique_ptr<QMimeData> pending;

    QMimeData* target()
    {
        if (!pending)
            pending = std::make_unique<QMimeData>();
        return pending.get();
    }
    void commit()
    {
        if (pending)
            QGuiApplication::clipboard()->setMimeData(pending.release());
    }
};

TClipboard::TClipboard() : d(std::make_unique<Impl>()) {}
TClipboard::~TClipboard() = default;

QString TClipboard::MimeOf(const QString& format)
{
    if (format.contains(QLatin1Char('/')))
        return format;
    if (format == QLatin1String("Rich Text Format"))
        return QStringLiteral("text/rtf");
    // The clipboard HTML document with its offset header is a format of its
    // own: desktop programs here expect bare HTML under text/html.
    if (format == QLatin1String("HTML Format"))
        return QStringLiteral("application/x-qt-windows-mime;value=\"HTML Format\"");
    if (format == QLatin1String("Text"))
        return QStringLiteral("text/plain");
    return QStringLiteral("application/x-fw-format.") + QString::fromLatin1(QUrl::toPercentEncoding(format));
}

QString TClipboard::AsText() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

void TClipboard::SetAsText(const QString& text)
{
    Open();
    d->target()->setText(text);
    Close();
}

bool TClipboard::HasFormat(const QString& format) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MimeOf(format));
}

QByteArray TClipboard::GetData(const QString& format) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->data(MimeOf(format)) : QByteArray();
}

void TClipboard::SetData(const QString& format, const QByteArray& data)
{
    Open();
    d->target()->setData(MimeOf(format), data);
    Close();
}

void TClipboard::Open()
{
    if (d->openCount++ == 0)
        d->pending.reset();
}

void TClipboard::Close()
{
    if (d->openCount == 0)
        return;
    if (--d->openCount == 0)
        d->commit();
}

void TClipboard::Clear()
{
    if (d->openCount > 0) {
        d->pending.reset();
        return;
    }
    QGuiApplication::clipboard()->clear();
}

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}

} // namespace fw

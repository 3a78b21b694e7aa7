#include "grid/exchange/SgDD.h"

#include "framework/Clipboard.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QUrl>
#include <QtEndian>

#include <memory>

namespace sgdd {
QString UnicodeTextMime() { return QStringLiteral("text/plain"); }
QString AnsiTextMime() { return QStringLiteral("text/plain;charset=ISO-8859-1"); }
QString RtfMime() { return fw::TClipboard::MimeOf(QStringLiteral("Rich Text Format")); }
QString ColMime() { return fw::TClipboard::MimeOf(QStringLiteral("Grid Column")); }
QString CellsMime() { return fw::TClipboard::MimeOf(QStringLiteral("TFxStringGrid Cells")); }
QString UrlMime() { return fw::TClipboard::MimeOf(QStringLiteral("UniformResourceLocator")); }
QString UriListMime() { return QStringLiteral("text/uri-list"); }
} // namespace sgdd

using namespace sgdd;

namespace {

bool RtfSwitch = false;

Qt::DropActions ActionsOf(int effects)
{
    Qt::DropActions a;
    if (effects & DROPEFFECT_COPY)
        a |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        a |= Qt::MoveAction;
    return a;
}

int EffectsOf(Qt::DropActions a)
{
    int e = 0;
    if (a & Qt::CopyAction)
        e |= DROPEFFECT_COPY;
    if (a & Qt::MoveAction)
        e |= DROPEFFECT_MOVE;
    return e;
}

Qt::DropAction ActionOf(int effect)
{
    return effect == DROPEFFECT_MOVE ? Qt::MoveAction : effect == DROPEFFECT_COPY ? Qt::CopyAction : Qt::IgnoreAction;
}

QList<QUrl> UrlsOf(const QMimeData* d)
{
    return d && d->hasFormat(UriListMime()) ? d->urls() : QList<QUrl>();
}

} // namespace

void SetOleDropRTFSwitch(bool value)
{
    RtfSwitch = value;
}

bool OleDropRTFSwitch()
{
    return RtfSwitch;
}

int DropEffectFromKeys(Qt::KeyboardModifiers keys, int allowed)
{
    if (keys & Qt::ControlModifier)
        return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_COPY;
}

// ---------------------------------------------------------------- TEnumFormats

TEnumFormats::TEnumFormats(const QMimeData* data) : Data(data) {}

bool TEnumFormats::HasFormat(const QString& mime) const
{
    return Data && Data->formats().contains(mime);
}

bool TEnumFormats::HasFile() const
{
    for (const QUrl& u : UrlsOf(Data))
        if (u.isLocalFile())
            return true;
    return false;
}

bool TEnumFormats::HasText() const
{
    if (HasFile())
        return false;   // a file manager's list is a file drop only
    return HasFormat(UnicodeTextMime()) || HasFormat(QStringLiteral("text/plain;charset=utf-8"));
}

bool TEnumFormats::HasRTF() const
{
    return HasFormat(RtfMime());
}

bool TEnumFormats::HasCol() const
{
    return HasFormat(ColMime());
}

bool TEnumFormats::HasURL() const
{
    if (HasFormat(UrlMime()) || HasFormat(QStringLiteral("text/x-moz-url")))
        return true;
    for (const QUrl& u : UrlsOf(Data))
        if (!u.isLocalFile())
            return true;
    return false;
}

bool TEnumFormats::HasGridCells() const
{
    return HasFormat(CellsMime());
}

QString TEnumFormats::Text() const
{
    if (!Data)
        return QString();
    QByteArray b = Data->data(UnicodeTextMime());
    if (b.isEmpty())
        b = Data->data(QStringLiteral("text/plain;charset=utf-8"));
    const qsizetype nul = b.indexOf('\0');
    if (nul >= 0)
        b.truncate(nul);
    if (b.isEmpty()) {
        // A URL drag may carry its text only as a list.
        const QList<QUrl> urls = UrlsOf(Data);
        if (!urls.isEmpty())
            return urls.front().toString();
    }
    return QString::fromUtf8(b);
}

QString TEnumFormats::RTF() const
{
    if (!Data)
        return QString();
    QByteArray b = Data->data(RtfMime());
    const qsizetype nul = b.indexOf('\0');
    if (nul >= 0)
        b.truncate(nul);
    return QString::fromLatin1(b);
}

int TEnumFormats::Col() const
{
    if (!Data)
        return -1;
    const QByteArray b = Data->data(ColMime());
    if (b.size() < 4)
        return -1;
    return qFromLittleEndian<qint32>(b.constData());
}

QByteArray TEnumFormats::Stream() const
{
    if (!Data)
        return {};
    const QByteArray b = Data->data(CellsMime());
    if (b.size() < 8)
        return {};
    const quint32 n = qFromLittleEndian<quint32>(b.constData());
    if (qint64(n) > b.size() - 8)
        return {};   // a length beyond the block is damage, not data
    return b.mid(8, qsizetype(n));
}

void TEnumFormats::ReadFiles()
{
    Files.clear();
    for (const QUrl& u : UrlsOf(Data))
        if (u.isLocalFile())
            Files << u.toLocalFile();
}

// ---------------------------------------------------------------- TSGDropTarget

TSGDropTarget::TSGDropTarget(QWidget* widget) : QObject(nullptr), Widget(widget)
{
    if (widget) {
        widget->setAcceptDrops(true);
        widget->installEventFilter(this);
    }
}

TSGDropTarget::~TSGDropTarget()
{
    if (Widget) {
        Widget->removeEventFilter(this);
        Widget->setAcceptDrops(false);
    }
}

int TSGDropTarget::DragEnter(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint pt, int allowed)
{
    const TEnumFormats f(data);
    const bool text = f.HasText(), file = f.HasFile(), rtf = f.HasRTF(), col = f.HasCol(), url = f.HasURL(),
               cells = f.HasGridCells();
    FOk = (text && FAcceptText) || (file && FAcceptFiles) || (rtf && OleDropRTFSwitch() && FAcceptText) ||
          (col && FAcceptCols) || (url && FAcceptURLs) || cells;
    FDropFormats = 0;
    if (text) FDropFormats |= DropFormatBit(dfText);
    if (file) FDropFormats |= DropFormatBit(dfFile);
    if (rtf) FDropFormats |= DropFormatBit(dfRTF);
    if (col) FDropFormats |= DropFormatBit(dfCol);
    if (url) FDropFormats |= DropFormatBit(dfURL);
    if (cells) FDropFormats |= DropFormatBit(dfGridCells);
    DragMouseEnter();
    return FOk ? DropEffectFromKeys(keys, allowed) : DROPEFFECT_NONE;
}

int TSGDropTarget::DragOver(Qt::KeyboardModifiers keys, QPoint pt, int allowed)
{
    int effect = FOk ? DropEffectFromKeys(keys, allowed) : DROPEFFECT_NONE;
    bool allow = effect != DROPEFFECT_NONE;
    DragMouseMove(pt, allow, FDropFormats);
    if (!allow)
        effect = DROPEFFECT_NONE;
    return effect;
}

void TSGDropTarget::DragLeave()
{
    DragMouseLeave();
}

int TSGDropTarget::Drop(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint pt, int allowed)
{
    if (!FOk)
        return DROPEFFECT_NONE;
    TEnumFormats f(data);
    if (f.HasCol()) {
        DropCol(pt, f.Col());
    } else {
        if (f.HasGridCells())
            DropStream(pt, f.Stream());
        else if (f.HasRTF() && OleDropRTFSwitch())
            DropRTF(pt, f.RTF());
        else if (f.HasText())
            DropText(pt, f.Text());
        if (f.HasFile()) {
            f.ReadFiles();
            DropFiles(pt, f.Files);
        }
        if (f.HasURL())
            DropURL(pt, f.Text());
    }
    return DropEffectFromKeys(keys, allowed);
}

bool TSGDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Widget)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        const QPoint pt = Widget->mapToGlobal(e->position().toPoint());
        int effect = DragEnter(e->mimeData(), e->modifiers(), pt, EffectsOf(e->possibleActions()));
        if (effect != DROPEFFECT_NONE)
            effect = DragOver(e->modifiers(), pt, EffectsOf(e->possibleActions()));
        if (effect != DROPEFFECT_NONE) {
            e->setDropAction(ActionOf(effect));
            e->accept();
        } else {
            // Entered all the same, so that moving on to an allowed cell is seen.
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        const int effect =
            DragOver(e->modifiers(), Widget->mapToGlobal(e->position().toPoint()), EffectsOf(e->possibleActions()));
        if (effect != DROPEFFECT_NONE) {
            e->setDropAction(ActionOf(effect));
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        DragLeave();
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const QPoint pt = Widget->mapToGlobal(e->position().toPoint());
        // A drop lands only where the last drag-over allowed it.
        if (DragOver(e->modifiers(), pt, EffectsOf(e->possibleActions())) == DROPEFFECT_NONE) {
            DragLeave();
            e->ignore();
            return true;
        }
        const int effect = Drop(e->mimeData(), e->modifiers(), pt, EffectsOf(e->possibleActions()));
        if (effect != DROPEFFECT_NONE) {
            e->setDropAction(ActionOf(effect));
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------- TSourceMimeData

TSourceMimeData::TSourceMimeData(const QString& text, const QByteArray* stream, int col, const QString& rtf)
    : textdata(text), rtfdata(rtf), scolidx(col), hasStream(stream != nullptr)
{
    if (stream) {
        memstr.resize(8);
        qToLittleEndian<quint32>(quint32(stream->size()), memstr.data());
        qToLittleEndian<quint32>(0, memstr.data() + 4);
        memstr += *stream;
    }
}

QStringList TSourceMimeData::formats() const
{
    QStringList f{AnsiTextMime(), UnicodeTextMime()};
    if (OleDropRTFSwitch())
        f << RtfMime();
    if (scolidx != -1)
        f << ColMime();
    if (hasStream)
        f << CellsMime();
    return f;
}

bool TSourceMimeData::hasFormat(const QString& mime) const
{
    return formats().contains(mime);
}

QVariant TSourceMimeData::retrieveData(const QString& mime, QMetaType) const
{
    if (mime == UnicodeTextMime() && !textdata.isEmpty())
        return textdata.toUtf8();
    if (mime == AnsiTextMime() && !textdata.isEmpty())
        return textdata.toLatin1();
    if (mime == RtfMime() && !textdata.isEmpty() && OleDropRTFSwitch())
        return rtfdata.toLatin1();
    if (mime == ColMime() && scolidx != -1) {
        QByteArray b(4, '\0');
        qToLittleEndian<qint32>(scolidx, b.data());
        return b;
    }
    if (mime == CellsMime() && hasStream)
        return memstr;
    return QVariant();
}

// ---------------------------------------------------------------- drags

namespace {

TDragRunner& DragRunner()
{
    static TDragRunner runner;
    return runner;
}

long RunDrag(QWidget* source, TSGDropSource& DropSource, QMimeData* data, int OkEffects, int& Effect,
             const QPixmap& image)
{
    if (DragRunner()) {
        const std::unique_ptr<QMimeData> owned(data);
        const Qt::DropAction result = DragRunner()(data, ActionsOf(OkEffects));
        DropSource.FNoAccept = result == Qt::IgnoreAction;
        DropSource.DragFinished();
        Effect = EffectsOf(result);
        return DropSource.FNoAccept ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    if (!image.isNull()) {
        drag->setPixmap(image);
        drag->setHotSpot(QPoint(-4, -4));
    }
    DropSource.FNoAccept = false;
    QObject::connect(drag, &QDrag::actionChanged, [&DropSource](Qt::DropAction a) {
        DropSource.FNoAccept = a == Qt::IgnoreAction;
        DropSource.CurrentEffect(EffectsOf(a));
        DropSource.QueryDrag();
    });
    const Qt::DropActions allowed = ActionsOf(OkEffects);
    const Qt::DropAction result =
        drag->exec(allowed, (allowed & Qt::MoveAction) ? Qt::MoveAction : Qt::CopyAction);
    DropSource.DragFinished();
    Effect = EffectsOf(result);
    if (result == Qt::IgnoreAction)
        DropSource.FNoAccept = true;
    return DropSource.FNoAccept ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

} // namespace

void SetDragRunnerForTesting(TDragRunner runner)
{
    DragRunner() = std::move(runner);
}

long StartCellDrag(QWidget* source, TSGDropSource& DropSource, const QString& Text, const QString& RTF, int& Effect,
                   int OkEffects, const QByteArray* Stream, const QPixmap& image)
{
    return RunDrag(source, DropSource, new TSourceMimeData(Text, Stream, -1, RTF), OkEffects, Effect, image);
}

long StartColumnDrag(QWidget* source, TSGDropSource& DropSource, int Column, int OkEffects, int& Effect,
                     const QPixmap& image)
{
    return RunDrag(source, DropSource, new TSourceMimeData(QString(), nullptr, Column, QString()), OkEffects, Effect,
                   image);
}

#pragma once
// Drag and drop over Qt's MIME data: what a dropped object offers
// (TEnumFormats), a drop target with virtual drop hooks (TSGDropTarget), a
// drop source with virtual hooks (TSGDropSource), the data a drag offers
// (TSourceMimeData) and the two routines that run a drag.
//
// Formats: Unicode text is "text/plain" (UTF-8); "text/plain;charset=
// ISO-8859-1" is the 8-bit text, offered but never taken as text; "Rich
// Text Format", "Grid Column", "TFxStringGrid Cells" and
// "UniformResourceLocator" are the named formats of the clipboard layer.
// A URI list from a file manager is a file drop only: its file names, and
// no text. The cells block is a 32-bit length, 4 zero bytes, then the
// binary cell stream.
#include <QByteArray>
#include <QMimeData>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = unsigned;   // bit 1 << TDropFormat
constexpr TDropFormats DropFormatBit(TDropFormat f) { return 1u << unsigned(f); }

constexpr long DRAGDROP_S_DROP = 0x40100;
constexpr long DRAGDROP_S_CANCEL = 0x40101;
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;

namespace sgdd {
QString UnicodeTextMime();
QString AnsiTextMime();
QString RtfMime();
QString ColMime();
QString CellsMime();
QString UrlMime();
QString UriListMime();
} // namespace sgdd

// One switch for the whole program: while off, RTF is neither offered by
// a drag nor taken by a drop.
void SetOleDropRTFSwitch(bool value);
bool OleDropRTFSwitch();

// Ctrl: copy; else move when allowed; else copy.
int DropEffectFromKeys(Qt::KeyboardModifiers keys, int allowed);

class TEnumFormats {
public:
    explicit TEnumFormats(const QMimeData* data);
    bool HasFormat(const QString& mime) const;
    bool HasText() const;
    bool HasFile() const;
    bool HasRTF() const;
    bool HasCol() const;
    bool HasURL() const;
    bool HasGridCells() const;
    QString Text() const;
    QString RTF() const;
    // The dragged column, -1 when missing.
    int Col() const;
    // The cell stream, empty when missing or damaged.
    QByteArray Stream() const;
    // The local file names of the URI list into Files (cleared first).
    void ReadFiles();
    QStringList Files;

private:
    const QMimeData* Data;
};

// The target protocol on a widget: drag events in, virtual hooks out. pt is
// the pointer in screen coordinates; effects are DROPEFFECT_*.
class TSGDropTarget : public QObject {
public:
    explicit TSGDropTarget(QWidget* widget);
    ~TSGDropTarget() override;

    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool value) { FAcceptText = value; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool value) { FAcceptFiles = value; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool value) { FAcceptCols = value; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool value) { FAcceptURLs = value; }
    TDropFormats DropFormats() const { return FDropFormats; }
    bool Ok() const { return FOk; }

    int DragEnter(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint pt, int allowed);
    int DragOver(Qt::KeyboardModifiers keys, QPoint pt, int allowed);
    void DragLeave();
    int Drop(const QMimeData* data, Qt::KeyboardModifiers keys, QPoint pt, int allowed);

    virtual void DropText(QPoint pt, const QString& Text) {}
    virtual void DropStream(QPoint pt, const QByteArray& Stream) {}
    virtual void DropCol(QPoint pt, int Col) {}
    virtual void DropRTF(QPoint pt, const QString& RTF) {}
    virtual void DropFiles(QPoint pt, const QStringList& Files) {}
    virtual void DropURL(QPoint pt, const QString& URL) {}
    virtual void DragMouseMove(QPoint pt, bool& Allow, TDropFormats Formats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QPointer<QWidget> Widget;

private:
    bool FOk = false;
    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats = 0;
};

class TSGDropSource {
public:
    virtual ~TSGDropSource() = default;
    // The last feedback showed no effect.
    bool FNoAccept = false;
    virtual void DragFinished() {}
    virtual void CurrentEffect(int Effect) {}
    virtual void QueryDrag() {}
};

// What a drag offers: the two text formats and, while the program's RTF
// switch is on, RTF (listed even while the text is empty, given only when it
// is not); the column when one is set, the cells block when there is a
// stream. While the switch is off RTF is not listed at all, so no target
// asks for data the drag will not give.
class TSourceMimeData : public QMimeData {
public:
    TSourceMimeData(const QString& text, const QByteArray* stream, int col, const QString& rtf);
    QStringList formats() const override;
    bool hasFormat(const QString& mime) const override;

protected:
    QVariant retrieveData(const QString& mime, QMetaType type) const override;

private:
    QString textdata;
    QString rtfdata;
    int scolidx = -1;
    bool hasStream = false;
    QByteArray memstr;
};

// Runs a modal drag from source; the result DRAGDROP_S_CANCEL when no
// target took it, else DRAGDROP_S_DROP; Effect the effect of the drop.
long StartCellDrag(QWidget* source, TSGDropSource& DropSource, const QString& Text, const QString& RTF, int& Effect,
                   int OkEffects, const QByteArray* Stream, const QPixmap& image = QPixmap());
long StartColumnDrag(QWidget* source, TSGDropSource& DropSource, int Column, int OkEffects, int& Effect,
                     const QPixmap& image = QPixmap());

// Tests stand in for the desktop's modal drag: the runner gets the data and
// the allowed actions and answers the action the drop took. None restores
// the real drag.
using TDragRunner = std::function<Qt::DropAction(QMimeData* data, Qt::DropActions allowed)>;
void SetDragRunnerForTesting(TDragRunner runner);

#pragma once
// THTMLHintWindow: the hint window of scroll and cell hints. It lays out its
// text with the grid's HTML renderer (or as one line of packed wide text in
// the font of the grid that prepared the hint), sizes itself to the text and
// stays inside the monitor.
#include "framework/Types.h"
#include "grid/foundation/PictureContainer.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace fw {
class TImageList;
}

class THTMLHintWindow : public QWidget {
public:
    explicit THTMLHintWindow(QWidget* owner = nullptr);

    fw::TImageList* Images() const { return FImages; }
    void SetImages(fw::TImageList* value) { FImages = value; }
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* value) { FPictureContainer = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);

    // Lays out `hint`, takes the screen rectangle it needs from R's top-left,
    // keeps it inside the monitor and shows the window without activation.
    void ActivateHint(fw::TRect R, const QString& hint);
    // As ActivateHint; a grid passed as data gives its images and pictures first.
    void ActivateHintData(const fw::TRect& R, const QString& hint, QObject* data);
    // (0, 0, text width, text height) of `hint` laid out in maxWidth.
    fw::TRect CalcHintRect(int maxWidth, const QString& hint) const;
    QString Caption() const { return FCaption; }
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

    // Font of the grid that last prepared a cell hint; packed wide hints use it.
    static QString HintFontName();
    static void SetHintFontName(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Extent of `hint` laid out in maxWidth, and the horizontal margin its kind takes.
    fw::TSize Measure(const QString& hint, int maxWidth, int& margin, QString& wide) const;

    fw::TImageList* FImages = nullptr;
    QPointer<TPictureContainer> FPictureContainer;
    fw::TColor FColor = fw::clInfoBk;
    QString FCaption;
    QString FWideCaption;
    int FTextWidth = 0;
    int FTextHeight = 0;
};

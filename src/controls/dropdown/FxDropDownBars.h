#pragma once
// The header and footer strips of a drop-down's popup and their small
// buttons. A strip paints its background, border, image and mini-HTML
// caption and a row of buttons built from its appearance's button items; the
// footer also offers a size grip. A strip button reports its click to the
// drop-down's header or footer button event with its index; a footer button
// with a modal result also closes the popup.
#include "controls/dropdown/FxButtonAppearance.h"
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/SysUtils.h"
#include "grid/paint/FxDropDownAppearance.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class TFxCustomDropDown;

// A list that refuses indices out of range with an error instead of
// reading or writing beyond its end.
class EListError : public fw::Exception {
public:
    using fw::Exception::Exception;
};

template <typename T>
class TDbgList {
public:
    int Count() const { return int(FItems.size()); }
    void Add(const T& item) { FItems.push_back(item); }
    void Clear() { FItems.clear(); }
    void AssignList(const TDbgList& other) { FItems = other.FItems; }
    const T& GetItemsEx(int index) const
    {
        if (index < 0 || index >= Count())
            throw EListError(QStringLiteral("Index out of bounds in list read access"));
        return FItems[std::size_t(index)];
    }
    void SetItemsEx(int index, const T& value)
    {
        if (index < 0 || index >= Count())
            throw EListError(QStringLiteral("Index out of bounds in list write access"));
        FItems[std::size_t(index)] = value;
    }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<T> FItems;
};

// A strip button drawn with a TFxButtonAppearance it does not own.
class TFxButton : public QWidget {
    Q_OBJECT
public:
    explicit TFxButton(QWidget* parent = nullptr);
    ~TFxButton() override;

    TFxButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TFxButtonAppearance* value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    void SetImages(const fw::TImageList* images);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    fw::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(fw::TModalResult value) { FModalResult = value; }
    // Footer buttons close this drop-down on a modal result.
    void SetFxDropDown(TFxCustomDropDown* dropDown) { FFxDropDown = dropDown; }
    TFxButtonStyle Style() const { return FStyle; }
    void SetStyle(TFxButtonStyle value) { FStyle = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    bool Down() const { return FDown; }
    void SetDown(bool value);
    TFxButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }

    // Height: the caption's (or image's) height + 4; width: its width + 8.
    void SizeToContent();
    // Sets the modal result on the window and closes the drop-down as the
    // result asks; then OnClick, unless the click came from the keyboard.
    void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void DrawButton(fw::TCanvas& canvas);

    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void UpdateExclusive();
    void ButtonPressed(int groupIndex, TFxButton* sender);
    void SetHot(bool hot);
    bool Inside(const QPoint& p) const;
    void UpdateShortcut();

    TFxButtonAppearance* FAppearance = nullptr;
    const fw::TImageList* FImages = nullptr;
    int FImageIndex = -1;
    QString FCaption;
    fw::TModalResult FModalResult = fw::mrNone;
    QPointer<TFxCustomDropDown> FFxDropDown;
    TFxButtonStyle FStyle = tasButton;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    TFxButtonState FState = absUp;
    bool FMouseInControl = false;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    bool FInternalClick = false;
    int FTag = 0;
    QObject* FShortcut = nullptr;
};

// What the header and the footer strip share.
class TFxBar : public QWidget {
    Q_OBJECT
public:
    ~TFxBar() override;

    virtual TBarAppearance& Appearance() = 0;
    // Takes the drop-down's images and copies its header (footer) settings.
    virtual void SetFxDropDown(TFxCustomDropDown* dropDown) = 0;
    TFxCustomDropDown* FxDropDown() const { return FFxDropDown; }
    const fw::TImageList* Images() const { return FImages; }
    void SetImages(const fw::TImageList* images) { FImages = images; }
    // The drop-down's header (footer) buttons; null without a drop-down.
    const TBarAppearance* ButtonSource() const;

    void InitButtons();
    virtual void UpdateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void RefreshButtons();
    const TDbgList<TFxButton*>& ButtonList() const { return FButtonList; }
    // Where the buttons stand, in the strip's coordinates.
    virtual fw::TRect ButtonArea() const = 0;

    // Visible and Height from the appearance.
    void AppearanceChanged();

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    TFxBar(QWidget* parent, bool footer);
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void ButtonClick(QObject* sender);
    virtual void DrawBorder(fw::TCanvas& canvas, const fw::TRect& r) = 0;
    virtual void PaintExtras(fw::TCanvas& canvas, const fw::TRect& r) {}
    // The popup has no frame of its own: the strip draws its outer sides.
    bool DrawsOuterSides() const;

    QPointer<TFxCustomDropDown> FFxDropDown;
    const fw::TImageList* FImages = nullptr;
    TDbgList<TFxButton*> FButtonList;

private:
    bool FFooter;
};

class TFxHeader : public TFxBar {
    Q_OBJECT
public:
    explicit TFxHeader(QWidget* parent = nullptr);
    TBarAppearance& Appearance() override { return FAppearance; }
    THeaderAppearance& HeaderAppearance() { return FAppearance; }
    void SetAppearance(const THeaderAppearance& value) { FAppearance.Assign(value); }
    void SetFxDropDown(TFxCustomDropDown* dropDown) override;
    fw::TRect ButtonArea() const override;

protected:
    void DrawBorder(fw::TCanvas& canvas, const fw::TRect& r) override;

private:
    THeaderAppearance FAppearance;
};

class TFxFooter : public TFxBar {
    Q_OBJECT
public:
    explicit TFxFooter(QWidget* parent = nullptr);
    TBarAppearance& Appearance() override { return FAppearance; }
    TFooterAppearance& FooterAppearance() { return FAppearance; }
    void SetAppearance(const TFooterAppearance& value) { FAppearance.Assign(value); }
    void SetFxDropDown(TFxCustomDropDown* dropDown) override;
    fw::TRect ButtonArea() const override;

    // The appearance asks for a grip and the drop-down may be sized.
    bool ShowSizeGrip() const;
    void DrawSizeGrip(fw::TCanvas& canvas, const fw::TRect& r);
    // The bottom-right zone the grip answers in.
    bool InGripZone(const QPoint& p) const;

protected:
    void DrawBorder(fw::TCanvas& canvas, const fw::TRect& r) override;
    void PaintExtras(fw::TCanvas& canvas, const fw::TRect& r) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    TFooterAppearance FAppearance;
};

#include "grid/foundation/FxObj.h"

#include "framework/Canvas.h"
#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <vector>

namespace {

// ---------------------------------------------------------------- ordinals and text forms

TEST(FxTypes, EditorTypeOrdinalsAndNames)
{
    struct Case { TEditorType value; int ordinal; const char* name; };
    const Case cases[] = {
        {edNormal, 0, "edNormal"},           {edSpinEdit, 1, "edSpinEdit"},
        {edComboEdit, 2, "edComboEdit"},     {edComboList, 3, "edComboList"},
        {edEditBtn, 4, "edEditBtn"},         {edCheckBox, 5, "edCheckBox"},
        {edDateEdit, 6, "edDateEdit"},       {edDateEditUpDown, 7, "edDateEditUpDown"},
        {edTimeEdit, 8, "edTimeEdit"},       {edButton, 9, "edButton"},
        {edDataCheckBox, 10, "edDataCheckBox"}, {edNumeric, 11, "edNumeric"},
        {edPositiveNumeric, 12, "edPositiveNumeric"}, {edFloat, 13, "edFloat"},
        {edCapital, 14, "edCapital"},        {edMixedCase, 15, "edMixedCase"},
        {edPassword, 16, "edPassword"},      {edUnitEditBtn, 17, "edUnitEditBtn"},
        {edLowerCase, 18, "edLowerCase"},    {edUpperCase, 19, "edUpperCase"},
        {edFloatSpinEdit, 20, "edFloatSpinEdit"}, {edTimeSpinEdit, 21, "edTimeSpinEdit"},
        {edDateSpinEdit, 22, "edDateSpinEdit"}, {edNumericEditBtn, 23, "edNumericEditBtn"},
        {edFloatEditBtn, 24, "edFloatEditBtn"}, {edCustom, 25, "edCustom"},
        {edRichEdit, 26, "edRichEdit"},      {edNone, 27, "edNone"},
        {edDateTimeEdit, 28, "edDateTimeEdit"}, {edValidChars, 29, "edValidChars"},
        {edTrackbarDropDown, 30, "edTrackbarDropDown"}, {edMemoDropDown, 31, "edMemoDropDown"},
        {edCalculatorDropDown, 32, "edCalculatorDropDown"}, {edTimePickerDropDown, 33, "edTimePickerDropDown"},
        {edDetailDropDown, 34, "edDetailDropDown"}, {edGridDropDown, 35, "edGridDropDown"},
        {edColorPickerDropDown, 36, "edColorPickerDropDown"}, {edImagePickerDropDown, 37, "edImagePickerDropDown"},
        {edFxGridDropDown, 38, "edFxGridDropDown"}, {edPositiveFloat, 39, "edPositiveFloat"},
        {edNumericUnitEditBtn, 40, "edNumericUnitEditBtn"}, {edFloatUnitEditBtn, 41, "edFloatUnitEditBtn"},
        {edMaskEditBtn, 42, "edMaskEditBtn"},
    };
    EXPECT_EQ(FxEnumCount<TEditorType>(), 43);
    for (const Case& c : cases) {
        EXPECT_EQ(int(c.value), c.ordinal) << c.name;
        EXPECT_EQ(FxEnumToText(c.value), QString::fromLatin1(c.name));
        TEditorType back = edNone;
        ASSERT_TRUE(FxTextToEnum(QString::fromLatin1(c.name), back)) << c.name;
        EXPECT_EQ(back, c.value);
    }
}

TEST(FxTypes, SortStyleOrdinalsAndNames)
{
    const char* names[] = {"ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase", "ssAlphaCase",
                           "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial", "ssAnsiAlphaCase",
                           "ssAnsiAlphaNoCase", "ssRaw", "ssHTML", "ssImages", "ssCheckBox", "ssDateTime", "ssTime",
                           "ssAlphaNumeric", "ssAlphaNumericNoCase"};
    ASSERT_EQ(FxEnumCount<TSortStyle>(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(FxEnumToText(TSortStyle(i)), QString::fromLatin1(names[i]));
    EXPECT_EQ(int(ssFinancial), 9);
    EXPECT_EQ(int(ssAlphaNumericNoCase), 19);
}

// Every smaller enumeration: ordinal of a sample value, and all names in order.
template <typename E>
void expectNames(std::initializer_list<const char*> names)
{
    ASSERT_EQ(FxEnumCount<E>(), int(names.size()));
    int i = 0;
    for (const char* n : names) {
        EXPECT_EQ(FxEnumToText(E(i)), QString::fromLatin1(n));
        E back{};
        EXPECT_TRUE(FxTextToEnum(QString::fromLatin1(n), back));
        EXPECT_EQ(int(back), i);
        ++i;
    }
}

TEST(FxTypes, SmallEnumerationsInOrder)
{
    expectNames<TCellBorder>({"cbTop", "cbLeft", "cbRight", "cbBottom"});
    expectNames<TCellGradientDirection>({"GradientVertical", "GradientHorizontal"});
    expectNames<TVAlignment>({"vtaTop", "vtaCenter", "vtaBottom"});
    expectNames<TArrowDirection>({"arrUp", "arrDown", "arrLeft", "arrRight"});
    expectNames<TFxGridButtonStyle>({"tasButton", "tasCheck"});
    expectNames<TSearchDirection>({"sdTopBottom", "sdLeftRight"});
    expectNames<THomeEndAction>({"heFirstLastColumn", "heFirstLastRow", "heFirstLastCell"});
    expectNames<TClipboardPasteAction>({"paReplace", "paInsert"});
    expectNames<TAdvanceDirection>({"adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol"});
    expectNames<TInsertPosition>({"pInsertBefore", "pInsertAfter"});
    expectNames<TCursorAdvance>({"caDefault", "caSnake", "caLoop"});
    expectNames<TGridFixedCellEdit>({"fceNone", "fceDblClick", "fceLeftClick", "fceRightClick"});
    expectNames<TGridFixedCellEditor>({"fceEdit", "fceComboEdit", "fceComboList"});
    expectNames<TWheelAction>({"waMoveSelection", "waScroll"});
    expectNames<TColumnCalcType>({"acNONE", "acSUM", "acAVG", "acCOUNT", "acMIN", "acMAX", "acSPREAD", "acCUSTOM",
                                  "acDISTINCT", "acSTDDEV"});
    expectNames<TGridSelectionStyle>({"ssDefault", "ssVista", "ssWin7", "ssOffice2007"});
    expectNames<THoverRowCell>({"hcNormal", "hcFixed", "hcSelected"});
}

TEST(FxTypes, UnknownNamesAndOrdinalsAreRejected)
{
    TEditorType e = edSpinEdit;
    EXPECT_FALSE(FxTextToEnum(QStringLiteral("ednormal"), e)); // exact case
    EXPECT_FALSE(FxTextToEnum(QStringLiteral(""), e));
    EXPECT_EQ(e, edSpinEdit);
    EXPECT_EQ(FxEnumToText(TEditorType(43)), QString());
}

TEST(FxTypes, SetTextForms)
{
    struct Case { THoverRowCells set; const char* text; };
    const Case cases[] = {
        {THoverRowCells{hcNormal, hcSelected}, "[hcNormal,hcSelected]"},
        {THoverRowCells{}, "[]"},
        {THoverRowCells{hcSelected, hcFixed, hcNormal}, "[hcNormal,hcFixed,hcSelected]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FxSetToText(c.set), QString::fromLatin1(c.text));
        THoverRowCells back{hcFixed};
        ASSERT_TRUE(FxTextToSet(QString::fromLatin1(c.text), back));
        EXPECT_EQ(back, c.set);
    }
    TCellBorders borders;
    ASSERT_TRUE(FxTextToSet(QStringLiteral(" [ cbTop , cbBottom ] "), borders));
    EXPECT_EQ(borders, (TCellBorders{cbTop, cbBottom}));
    EXPECT_EQ(borders.Bits(), 0b1001u);
    EXPECT_FALSE(FxTextToSet(QStringLiteral("[cbTop,cbMiddle]"), borders));
    EXPECT_FALSE(FxTextToSet(QStringLiteral("cbTop"), borders));
    EXPECT_EQ(borders, (TCellBorders{cbTop, cbBottom}));
}

// ---------------------------------------------------------------- TIntList

struct ChangeLog {
    std::vector<std::pair<int, int>> calls;
    TIntListChangeEvent handler(TIntList* expected)
    {
        return [this, expected](TIntList* sender, int col, int row) {
            EXPECT_EQ(sender, expected);
            calls.emplace_back(col, row);
        };
    }
};

TEST(TIntList, ChangeEventsReportTheBoundCell)
{
    TIntList list(3, 7);
    ChangeLog log;
    list.OnChange = log.handler(&list);

    list.Insert(0, 5);                 // no event
    EXPECT_EQ(log.calls.size(), 0u);
    list.Add(6);
    list.SetItems(0, 4);
    list.Delete(1);
    list.Add(9);
    list.DeleteValue(9);
    list.DeleteValue(12345);           // absent: nothing
    ASSERT_EQ(log.calls.size(), 5u);
    for (const auto& c : log.calls)
        EXPECT_EQ(c, std::make_pair(3, 7));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), 4);
    EXPECT_TRUE(list.HasValue(4));
    EXPECT_FALSE(list.HasValue(9));
}

TEST(TIntList, OutOfRangeIndicesRaiseTheListError)
{
    TIntList list(0, 0);
    list.Add(1);
    EXPECT_THROW(list.Items(1), fw::EStringListError);
    EXPECT_THROW(list.Items(-1), fw::EStringListError);
    EXPECT_THROW(list.SetItems(1, 0), fw::EStringListError);
    EXPECT_THROW(list.Delete(2), fw::EStringListError);
    EXPECT_THROW(list.Insert(3, 0), fw::EStringListError);
    list.Insert(1, 2); // at the end is allowed
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,2"));
}

TEST(TIntList, StrValue)
{
    TIntList list(0, 0);
    EXPECT_EQ(list.StrValue(), QString());
    list.Add(1);
    list.Add(20);
    list.Add(3);
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,20,3"));

    ChangeLog log;
    list.OnChange = log.handler(&list);
    list.SetStrValue(QStringLiteral("4,5"));
    EXPECT_EQ(list.StrValue(), QStringLiteral("4,5"));
    EXPECT_EQ(log.calls.size(), 2u);

    // A bad part raises after the list was cleared and the parts before it added.
    EXPECT_THROW(list.SetStrValue(QStringLiteral("7,x,8")), fw::EConvertError);
    EXPECT_EQ(list.StrValue(), QStringLiteral("7"));
    // The stored form is decimal only.
    for (const char* text : {"1,$10", "1,0x10", "1,"})
        EXPECT_THROW(list.SetStrValue(QString::fromLatin1(text)), fw::EConvertError) << text;
    list.SetStrValue(QStringLiteral("-2,+3"));
    EXPECT_EQ(list.StrValue(), QStringLiteral("-2,3"));
}

// ---------------------------------------------------------------- TSortIndexList

TEST(TSortIndexList, DirectionsAndSearch)
{
    TSortIndexList list;
    int changes = 0;
    list.OnChange = [&](TIntList*, int, int) { ++changes; };
    list.AddIndex(2, true);
    list.AddIndex(5, false);
    EXPECT_EQ(list.Items(1), int(0x80000005u));
    EXPECT_EQ(list.FindIndex(5), 1);
    EXPECT_EQ(list.FindIndex(7), -1);
    EXPECT_TRUE(list.SortDirections(0));
    EXPECT_FALSE(list.SortDirections(1));
    EXPECT_EQ(list.SortColumns(1), 5);

    list.ToggleIndex(5);
    EXPECT_TRUE(list.SortDirections(1));
    list.ToggleIndex(99); // absent: nothing
    list.SetSortDirections(0, false);
    list.SetSortColumns(0, 8);
    EXPECT_EQ(list.SortColumns(0), 8);
    EXPECT_FALSE(list.SortDirections(0)); // the direction bit is kept
    EXPECT_EQ(changes, 5);
}

TEST(TSortIndexList, TextForm)
{
    TSortIndexList list;
    EXPECT_EQ(list.SaveToString(), QString());
    list.AddIndex(2, true);
    list.AddIndex(5, false);
    list.AddIndex(0x12345, true); // only the low 16 bits are written
    EXPECT_EQ(list.SaveToString(), QStringLiteral("u2;d5;u9029"));

    struct Case { const char* text; std::vector<std::pair<int, bool>> entries; };
    const Case cases[] = {
        {"u3;x7;d;U2", {{3, true}, {7, false}, {2, false}}},
        {"", {}},
        {"u12abc;d$1F;u0x10", {{12, true}, {31, false}, {16, true}}},
        {"uzz;;u 7", {{0, true}, {7, true}}},
    };
    for (const Case& c : cases) {
        list.LoadFromString(QString::fromLatin1(c.text));
        ASSERT_EQ(list.Count(), int(c.entries.size())) << c.text;
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list.SortColumns(i), c.entries[size_t(i)].first) << c.text << " #" << i;
            EXPECT_EQ(list.SortDirections(i), c.entries[size_t(i)].second) << c.text << " #" << i;
        }
    }
}

// ---------------------------------------------------------------- TControlList

TEST(TControlList, ItemsAreOwnedControlsAreNot)
{
    QWidget a, b;
    {
        TControlList list;
        list.AddControl(1, 2, &a);
        list.AddControl(3, 4, &b);
        EXPECT_EQ(list.ControlIndex(3, 4), 1);
        EXPECT_EQ(list.ControlIndex(2, 1), -1);
        EXPECT_EQ(list.Control(0)->Control(), &a);
        EXPECT_EQ(list.Control(1)->X(), 3);
        EXPECT_EQ(list.Control(1)->Y(), 4);
        EXPECT_TRUE(list.HasHandle(b.winId()));
        EXPECT_FALSE(list.HasHandle(WId(0)));
        list.RemoveControl(0);
        EXPECT_EQ(list.Count(), 1);
        EXPECT_THROW(list.Control(1), fw::EStringListError);
        EXPECT_THROW(list.RemoveControl(5), fw::EStringListError);
    }
    // The controls outlive the list.
    a.setObjectName(QStringLiteral("still here"));
    EXPECT_EQ(b.objectName(), QString());
}

// ---------------------------------------------------------------- TFileStringList

TEST(TFileStringList, LineByLine)
{
    TFileStringList list;
    list.Reset();
    EXPECT_TRUE(list.Eof());
    list.Write(QStringLiteral("x"));
    list.WriteLn(QStringLiteral("a"));
    list.WriteLn(QStringLiteral("b"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), QStringLiteral("xa"));
    QString s;
    list.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("xa"));
    list.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("b"));
    EXPECT_TRUE(list.Eof());
    EXPECT_THROW(list.ReadLn(s), fw::EStringListError);
    list.Write(QStringLiteral("pending"));
    list.Reset(); // drops the pending text and rewinds
    EXPECT_FALSE(list.Eof());
    list.WriteLn(QStringLiteral("c"));
    EXPECT_EQ(list.Strings(2), QStringLiteral("c"));
}

// ---------------------------------------------------------------- TFilePicture

TEST(TFilePicture, ReadsTheFileForSizeAndForEveryDraw)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pic.png"));
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));

    TFilePicture pic;
    pic.SetFilename(path);
    EXPECT_EQ(pic.Width(), 6);
    EXPECT_EQ(pic.Height(), 4);

    TFilePicture copy;
    copy.Assign(pic);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Width(), 6);

    QImage target(10, 10, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        fw::TCanvas canvas(&target);
        pic.DrawPicture(canvas, fw::TRect(0, 0, 10, 10));
        TFilePicture().DrawPicture(canvas, fw::TRect(0, 0, 10, 10)); // no file: nothing
    }
    EXPECT_EQ(QColor(target.pixel(9, 9)), QColor(Qt::red));

    QFile::remove(path);
    fw::TCanvas canvas(&target);
    EXPECT_THROW(pic.DrawPicture(canvas, fw::TRect(0, 0, 10, 10)), fw::EFileError);
    TFilePicture missing;
    EXPECT_THROW(missing.SetFilename(path), fw::EFileError);
    EXPECT_EQ(missing.Filename(), path);
}

// ---------------------------------------------------------------- TArrowWindow

TEST(TArrowWindow, OutlinesAndInit)
{
    // Each window's shape follows its outline: a point of the shaft is in,
    // a corner beside the head is out.
    struct Case { TArrowDirection dir; std::array<fw::TPoint, 7> pts; QPoint shaft, outside; };
    using P = fw::TPoint;
    const Case cases[] = {
        {arrUp, {P(5, 0), P(10, 5), P(7, 5), P(7, 9), P(3, 9), P(3, 5), P(0, 5)}, {5, 7}, {0, 9}},
        {arrDown, {P(3, 0), P(7, 0), P(7, 4), P(9, 4), P(5, 8), P(1, 4), P(3, 4)}, {5, 2}, {0, 0}},
        {arrLeft, {P(0, 3), P(0, 7), P(4, 7), P(4, 10), P(8, 5), P(4, 0), P(4, 3)}, {2, 5}, {8, 0}},
        {arrRight, {P(0, 5), P(4, 10), P(4, 7), P(8, 7), P(8, 3), P(4, 3), P(4, 0)}, {6, 5}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArrowOutline(c.dir), c.pts) << int(c.dir);
        QWidget owner;
        TArrowWindow w;
        w.Init(&owner, c.dir);
        EXPECT_TRUE(w.mask().contains(c.shaft)) << int(c.dir);
        EXPECT_FALSE(w.mask().contains(c.outside)) << int(c.dir);
    }
    QWidget owner;
    TArrowWindow w;
    w.Init(&owner, arrLeft);
    EXPECT_EQ(w.Dir(), arrLeft);
    EXPECT_EQ(w.Color(), fw::TColor(0x00FF00));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.isWindow());
    EXPECT_EQ(w.parentWidget(), &owner);
    // The window's shape is the arrow: the tip is inside, the opposite corner is not.
    EXPECT_TRUE(w.mask().contains(QPoint(7, 5)));
    EXPECT_FALSE(w.mask().contains(QPoint(8, 0)));
}

} // namespace

// Every window of the program opened as the user opens it, and every text it
// shows in a label or a grid header measured with the font it is drawn with
// against the room it is drawn in: a caption that needs more room than it has
// is cut where the user cannot see that something is missing.
#include "app/AppTestFixture.h"
#include "app/UAbout.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/UDMXDefVal.h"
#include "app/services/UEditorWindow.h"
#include "app/services/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UParGen.h"
#include "app/USoftOptions.h"
#include "app/services/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UImportEDEFile.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/USetAccess.h"
#include "editors/can/UReceiveCAN.h"
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"
#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "grid/model/FxGrid.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// One text that does not fit where it is drawn.
struct Misfit {
    QString where;     // window / control (or grid column)
    QString text;
    QString need;      // what it needs against what it has
};

QString describe(const std::vector<Misfit>& misfits)
{
    QString out;
    for (const Misfit& m : misfits)
        out += QStringLiteral("\n  %1: \"%2\" %3").arg(m.where, m.text, m.need);
    return out;
}

// A label's text as the label lays it out: plain or rich, on one line or
// wrapped, inside its contents rectangle less its margin and indent.
void checkLabel(const QString& window, QLabel* label, std::vector<Misfit>& out)
{
    const QString text = label->text();
    if (text.trimmed().isEmpty() || !label->pixmap().isNull())
        return;
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const int indent = label->indent() > 0 ? label->indent() : 0;
    room.setWidth(room.width() - indent);
    int w = 0, h = 0;
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        if (label->wordWrap())
            doc.setTextWidth(room.width());
        w = int(std::ceil(label->wordWrap() ? doc.size().width() : doc.idealWidth()));
        h = int(std::ceil(doc.size().height()));
    } else {
        const QFontMetrics fm(label->font());
        const int flags = label->wordWrap() ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine);
        const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 100000), flags, text);
        w = label->wordWrap() ? need.width() : fm.horizontalAdvance(text);
        h = need.height();
    }
    if (w > room.width() || h > room.height())
        out.push_back({window + QStringLiteral(" / ") + label->objectName(), text,
                       QStringLiteral("needs %1 x %2, has %3 x %4").arg(w).arg(h).arg(room.width()).arg(room.height())});
}

// The font a fixed cell is drawn with (the column's header font, the fixed
// font, bold added by the look) and whether the grid wraps its text there.
fw::TFont headerFont(TFxStringGrid* g, int c, int r, bool* wraps = nullptr)
{
    fw::TGridDrawState state = fw::gdFixed;
    TCellLook look;
    look.WW = g->WordWrap();
    g->GetVisualProperties(c, r, state, {.Remap = true}, look);
    look.Font.Size += g->ZoomFactor();
    if (wraps)
        *wraps = look.WW;
    return look.Font;
}

// A header cell's text as the grid draws it: the cell's font, inside the cell
// less the fixed cell's edge and the grid's text offset, on one line or, where
// the grid wraps, on as many lines as the row holds.
void checkHeaders(const QString& window, TFxStringGrid* g, std::vector<Misfit>& out)
{
    fw::TBitmap scratch(8, 8);
    fw::TCanvas& canvas = scratch.Canvas();
    const fw::TPoint offset = g->XYOffset();
    const int glw = g->GridLineWidth();
    for (int r = 0; r < g->FixedRows(); ++r) {
        for (int c = 0; c < g->ColCount(); ++c) {
            const int rc = g->RealColIndex(c);
            const QString text = g->GetFormattedCell(rc, r);
            if (text.trimmed().isEmpty())
                continue;
            bool ww = false;
            canvas.Font() = headerFont(g, c, r, &ww);
            const int width = g->ColWidths(c) - 1 - glw - offset.X * (g->XYOffsetTopLeftOnly() ? 1 : 2);
            const int height = g->RowHeights(r) - 2 - glw - offset.Y;
            fw::TRect one(0, 0, width, height);
            canvas.DrawText(text, one, fw::DT_CALCRECT | fw::DT_SINGLELINE | fw::DT_NOPREFIX);
            if (one.Width() <= width)
                continue;
            fw::TRect wrapped(0, 0, width, height);
            canvas.DrawText(text, wrapped, fw::DT_CALCRECT | fw::DT_WORDBREAK | fw::DT_NOPREFIX);
            if (ww && wrapped.Width() <= width && wrapped.Height() <= height)
                continue;
            out.push_back({QStringLiteral("%1 / %2 column %3 (%4 %5pt%6)")
                               .arg(window, g->objectName())
                               .arg(rc)
                               .arg(canvas.Font().ToQFont().family())
                               .arg(canvas.Font().Size)
                               .arg(canvas.Font().Style.Contains(fw::fsBold) ? QStringLiteral(" bold") : QString()),
                           text,
                           QStringLiteral("needs %1 px on one line (%2 x %3 wrapped), has %4 x %5")
                               .arg(one.Width())
                               .arg(wrapped.Width())
                               .arg(wrapped.Height())
                               .arg(width)
                               .arg(height)});
        }
    }
}

// When pictures are kept (testsupport::shotFolder), the window as shown,
// one picture per page, for a person to look at.
void saveShots(fw::TForm& form, const QString& name)
{
    if (testsupport::shotFolder().isEmpty())
        return;
    auto* pages = form.findChild<QTabWidget*>();
    const int count = pages ? pages->count() : 1;
    for (int p = 0; p < count; ++p) {
        if (pages) {
            if (!pages->isTabVisible(p))
                continue;
            pages->setCurrentIndex(p);
            QCoreApplication::processEvents();
        }
        testsupport::keepShot(&form, name + (count > 1 ? QString::number(p + 1) : QString()));
    }
    if (pages)
        pages->setCurrentIndex(0);
}

void checkWindow(fw::TForm& form, std::vector<Misfit>& out, const QString& shotTag = {})
{
    const QString name = QString::fromLatin1(form.metaObject()->className());
    saveShots(form, name + shotTag);
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->isVisibleTo(&form))
            checkLabel(name, label, out);
    for (TFxStringGrid* grid : form.findChildren<TFxStringGrid*>())
        checkHeaders(name, grid, out);
}

class WindowCaptions : public apptest::ProgramFolder {
protected:
    // Starts the program with a project open, in language (built-in English
    // when empty, else a language file with these texts).
    void startWith(const QString& language, const QMap<int, QString>& texts = {})
    {
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/Plant/bin"))));
        const QString name = language.isEmpty() ? QStringLiteral("English") : language;
        if (!language.isEmpty()) {
            QByteArray lng = "\xEF\xBB\xBF";
            for (auto it = texts.begin(); it != texts.end(); ++it)
                lng += QStringLiteral("STR%1 = %2\r\n").arg(it.key()).arg(it.value()).toUtf8();
            ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
            ASSERT_TRUE(write(QStringLiteral("LANGUAGE/") + name + QStringLiteral(".lng"), lng));
        }
        const QString xml = QStringLiteral(
                                "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj>"
                                "<lastlang><language>%1</language></lastlang></Conf_Settings>")
                                .arg(name);
        ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"), xml.toUtf8()));
        start();
        ASSERT_FALSE(Path_Project.isEmpty());
    }

    // Opens window modally, as its step does, and measures what it shows.
    void measureModal(fw::TForm* window, std::vector<Misfit>& out)
    {
        ASSERT_NE(window, nullptr);
        bool measured = false;
        apptest::withModal([window] { window->ShowModal(); },
                           [&](fw::TForm& shown) {
                               QCoreApplication::processEvents();
                               checkWindow(shown, out);
                               measured = true;
                               shown.SetModalResult(fw::mrCancel);
                           });
        EXPECT_TRUE(measured) << window->metaObject()->className() << " did not open";
    }
};

TEST_F(WindowCaptions, EveryLabelAndGridHeaderOfEveryWindowFitsItsRoom)
{
    startWith({});
    std::vector<Misfit> misfits;
    FZizuzuzarizFirmWare->Show();
    QCoreApplication::processEvents();
    checkWindow(*FZizuzuzarizFirmWare, misfits);
    // The steps this configuration hides open their windows all the same.
    const std::vector<fw::TForm*> windows = {
        FNew_Project, FOpenConf, FAbout, FSoftOptions, FParGen, FDALI_Access, FBoot, FProfinetFileName,
        FModbus_TCP_Master_Set_Access, FDMXDefVal, FBACnetAccess, FImportEDEFile, FSetAccess, FSNMP_Trap_Access,
        FReceiveCAN, FTransmitCAN, FSet_PDO_Access, FSet_SDO_Client_Access, FSet_SDO_Server_Access,
    };
    for (fw::TForm* w : windows)
        measureModal(w, misfits);
    EXPECT_TRUE(misfits.empty()) << misfits.size() << " texts do not fit:" << describe(misfits).toStdString();
}

TEST_F(WindowCaptions, TableWindowsDrawInTheFacesTheirDescriptionsName)
{
    startWith({});
    const QColor grey(0x80, 0x80, 0x80);
    struct Case {
        fw::TForm* window;
        const char* face;       // the window's font
        bool boldHeaders;       // every header text of every table
        bool greyDescription;   // L_SW_Desc
    };
    const Case cases[] = {
        {FSet_PDO_Access, "Tahoma", true, true},
        {FSet_SDO_Client_Access, "Tahoma", true, false},
        {FSet_SDO_Server_Access, "Tahoma", true, false},
        {FSNMP_Trap_Access, "Verdana", false, false},
        {FModbus_TCP_Master_Set_Access, "Verdana", false, false},
    };
    for (const Case& c : cases) {
        const std::string name = c.window->metaObject()->className();
        bool shown = false;
        apptest::withModal([&] { c.window->ShowModal(); },
                           [&](fw::TForm& form) {
                               QCoreApplication::processEvents();
                               shown = true;
                               auto& window = static_cast<TEditorWindow&>(form);
                               EXPECT_EQ(QFontInfo(window.font()).family(), fw::MapFontFamily(QString::fromLatin1(c.face)))
                                   << name;
                               EXPECT_EQ(window.L_SW_Desc->palette().color(QPalette::WindowText) == grey,
                                         c.greyDescription)
                                   << name;
                               const auto grids = form.findChildren<TFxStringGrid*>();
                               EXPECT_FALSE(grids.isEmpty()) << name;
                               for (TFxStringGrid* g : grids)
                                   for (int col = 0; col < g->ColCount(); ++col) {
                                       const fw::TFont font = headerFont(g, col, 0);
                                       EXPECT_EQ(font.Style.Contains(fw::fsBold), c.boldHeaders)
                                           << name << " " << g->objectName().toStdString() << " column " << col;
                                       if (c.boldHeaders) {   // the tables' face is named with their bold headers
                                           EXPECT_EQ(font.ToQFont().family(), fw::MapFontFamily(QStringLiteral("Tahoma")))
                                               << name << " column " << col;
                                       }
                                   }
                               form.SetModalResult(fw::mrCancel);
                           });
        EXPECT_TRUE(shown) << name << " did not open";
    }
}

TEST_F(WindowCaptions, TranslatedStepLabelsOfTheMainWindowFit)
{
    // Longer than the English ones, with letters outside ASCII.
    const QMap<int, QString> texts = {{0, QStringLiteral("Anfangäöü")},
                                      {1, QStringLiteral("Schritt 1")},
                                      {2, QStringLiteral("Zweiter Schritt")},
                                      {3, QStringLiteral("Schritt 3")},
                                      {4, QStringLiteral("Schritt 4")}};
    startWith(QStringLiteral("Deutsch"), texts);
    TFZizuzuzarizFirmWare& main = *FZizuzuzarizFirmWare;
    std::vector<Misfit> misfits;
    main.Show();
    QCoreApplication::processEvents();
    checkWindow(main, misfits, QStringLiteral("_Deutsch"));
    EXPECT_TRUE(misfits.empty()) << describe(misfits).toStdString();
    // Whole texts, left of the step buttons and the configuration frame.
    const QLabel* labels[] = {main.L_Begin, main.L_Step[0], main.L_Step[1], main.L_Step[2], main.L_Step[3]};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(labels[i]->text(), texts.value(i));
        EXPECT_LT(labels[i]->geometry().right(), main.Btn_New->x()) << labels[i]->objectName().toStdString();
    }
}

} // namespace

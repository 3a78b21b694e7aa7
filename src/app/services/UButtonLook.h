#pragma once
// The look of every styled button of the program's windows, kept in one
// place: the Encarta face on the window colour, an orange face while pressed,
// a yellow or sky-blue face under the pointer, grey light edges and a glyph
// that tells what the button does. The glyph decides the rest: the same
// action shows the same picture in every window.
#include <QRect>

class QWidget;
class TLbButton;

enum class TButtonGlyph {
    // Dialog buttons.
    Ok,
    Cancel,
    // Steps of the main window (captions left-aligned beside the glyph).
    New_Project,
    Open_Project,
    Parameters,
    DMX_Values,      // the one step that is disabled at times: a grey image too
    Update_Device,
    Table_Access,
    File_Export,
    // The main window's picture buttons, hint only.
    Info,
    Options,
    Close,
    // Corner buttons of collapsible groups.
    Collapse,
    Expand,
    // Table rows.
    Delete_Row,
    Insert_Row,
    Copy_Row,
    Paste_Row,
    Select_All,
    Clear_All,
    Lamp_Map,
    Import_File,
    // Paging, update checks and the device update.
    Previous,
    Next,
    Check_Update,
    Refresh_List,
    Search,
    Execute_Update,
};

// Gives button the program's look for glyph; only the caption, hint,
// modal result and place are left to the window.
void Set_Button_Look(TLbButton* button, TButtonGlyph glyph);

// A new button with that look, named and placed.
TLbButton* New_Button(QWidget* parent, const char* name, const QRect& geometry, TButtonGlyph glyph);

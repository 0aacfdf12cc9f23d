#include "DialogTemplates.h"

#include "ResourceIds.h"

#include <QCoreApplication>

namespace qw {

using namespace WinStyle;

namespace {

// Texts are marked for translation in the context of the dialog class that shows them. The
// main window's caption is never shown, and the product name and the name patterns are not
// translated. The links' texts are built from their addresses, so the About box translates them.
//
// The notice takes two lines, the holder and the licence, so the links sit one line lower.
const DialogControl aboutControls[] = {
    {CtrlId::Static, ControlClass::Static, "", IconStatic, {11, 17, 20, 20}, ResId::AppIcon},
    {CtrlId::Static, ControlClass::Static, "Ardenne Quirewright 2.0", TextLeft | NoPrefix | Group, {40, 10, 153, 8}},
    {CtrlId::Static,
     ControlClass::Static,
     //: About box: the ownership and licence notice, two lines
     QT_TRANSLATE_NOOP("qw::AboutDlg",
                       "Copyright (C) 2026 The Quirewright developers.\nFree software under the GNU AGPL, version 3 or "
                       "later."),
     TextLeft | Group,
     {40, 26, 210, 16}},
    {CtrlId::Ok, ControlClass::Button, QT_TRANSLATE_NOOP("qw::AboutDlg", "OK"), DefPushButton | Group | TabStop, {205, 7, 50, 14}},
    {CtrlId::WebLink, ControlClass::Static, "Web: " QW_WEB_SITE_ADDRESS, TextLeft | Group, {40, 50, 153, 8}},
    {CtrlId::MailLink, ControlClass::Static, "Email: " QW_SUPPORT_ADDRESS, TextLeft | Group, {40, 66, 153, 8}},
};

const DialogControl mainControls[] = {
    //: Main window button (inserts a break point), below its picture: short, it never grows; keep the key
    {CtrlId::InsertButton, ControlClass::Button, QT_TRANSLATE_NOOP("qw::SplitterDlg", "Insert (F2)"), PushButton | TabStop, {60, 3, 47, 34}},
    //: Main window button (deletes a break point), below its picture: short, it never grows; keep the key
    {CtrlId::DeleteButton, ControlClass::Button, QT_TRANSLATE_NOOP("qw::SplitterDlg", "Delete (F3)"), PushButton | TabStop, {110, 3, 47, 34}},
    //: Main window button (shows the Options dialog), below its picture: short, it never grows
    {CtrlId::OptionsButton, ControlClass::Button, QT_TRANSLATE_NOOP("qw::SplitterDlg", "Options"), PushButton | TabStop, {160, 3, 47, 34}},
    //: Main window button (splits the PDF into parts), below its picture: short, it never grows; keep the key
    {CtrlId::SplitButton, ControlClass::Button, QT_TRANSLATE_NOOP("qw::SplitterDlg", "Split (F5)"), PushButton | TabStop, {210, 3, 47, 34}},
    {CtrlId::PageList,
     ControlClass::ListView,
     "",
     ReportView | SingleSelection | ShowSelectionAlways | Border | TabStop,
     {3, 42, 95, 358}},
    //: Main window button (opens a PDF), below its picture: short, it never grows
    {CtrlId::OpenButton, ControlClass::Button, QT_TRANSLATE_NOOP("qw::SplitterDlg", "Open"), PushButton | TabStop, {10, 3, 47, 34}},
    {CtrlId::TopLine, ControlClass::Static, "", EtchedHorizontal, {53, 1, 581, 1}},
};

const DialogControl optionsControls[] = {
    {CtrlId::AskFolderRadio,
     ControlClass::Button,
     //: Options: radio button; "seltct" is a typo of "select" kept in English only
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Ask to seltct an output folder before splitting"),
     AutoRadioButton | Group,
     {29, 18, 219, 10}},
    {CtrlId::OutputFolderRadio, ControlClass::Button,
     //: Options: radio button; the folder is typed in the field below it
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Output to following folder"),
     AutoRadioButton, {29, 34, 168, 10}},
    {CtrlId::OutputFolderEdit, ControlClass::Edit, "", Border | AutoHScroll | TabStop, {29, 49, 175, 14}},
    {CtrlId::SameFolderRadio,
     ControlClass::Button,
     //: Options: radio button; the parts go beside the PDF being split
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Same folder as original pdf file"),
     AutoRadioButton,
     {29, 77, 146, 10}},
    {CtrlId::ArchiveCheck,
     ControlClass::Button,
     //: Options: check box; the PDF that was split is moved into the archive folder
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Move to archive folder after splitting"),
     AutoCheckBox | TabStop,
     {29, 101, 171, 10}},
    {CtrlId::Static, ControlClass::Static,
     //: Options: label of the archive folder field
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Archive folder:"),
     TextLeft | Group, {29, 125, 60, 8}},
    {CtrlId::ArchiveFolderEdit, ControlClass::Edit, "", Border | AutoHScroll | TabStop, {95, 123, 107, 14}},
    //: Options: button beside a folder field that shows a folder browser ("Browse...")
    {CtrlId::OutputFolderBrowse, ControlClass::Button, QT_TRANSLATE_NOOP("qw::OptionsDlg", "Setting.."), PushButton | TabStop, {211, 49, 56, 14}},
    {CtrlId::ArchiveFolderBrowse, ControlClass::Button, QT_TRANSLATE_NOOP("qw::OptionsDlg", "Setting.."), PushButton | TabStop, {213, 123, 54, 14}},
    {CtrlId::Static, ControlClass::Static,
     //: Options: label of the name pattern field; the pattern makes each part's file name
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Name pattern for split filename:"),
     TextLeft | Group, {29, 150, 136, 8}},
    {CtrlId::PatternCombo,
     ControlClass::ComboBox,
     "",
     DropDown | VScroll | TabStop,
     {29, 165, 254, 90},
     0,
     {"{basename} {part}", "{basename} {part} of {filecount}", "{basename} {part:0000}",
      "{basename} from page {pagebegin} to {pageend}"}},
    {CtrlId::OptionsOk, ControlClass::Button, QT_TRANSLATE_NOOP("qw::OptionsDlg", "Ok"), PushButton | TabStop, {166, 186, 50, 14}},
    {CtrlId::OptionsCancel, ControlClass::Button, QT_TRANSLATE_NOOP("qw::OptionsDlg", "Cancel"), PushButton | TabStop, {232, 186, 50, 14}},
};

const DialogTemplate templates[] = {
    {ResId::AboutDialog,
     //: About box title; "Ardenne Quirewright" is the product's name
     QT_TRANSLATE_NOOP("qw::AboutDlg", "About Ardenne Quirewright 2.0"),
     "MS Sans Serif",
     8,
     {262, 93},
     Popup | Caption | SysMenu | ModalFrame,
     0,
     0,
     aboutControls,
     "qw::AboutDlg"},
    {ResId::MainDialog,
     "Quirewright",
     "MS Sans Serif",
     8,
     {634, 400},
     Popup | Visible | Caption | SysMenu | SizingBorder | MinimiseBox | MaximiseBox,
     AppWindowEx,
     ResId::MenuBar,
     mainControls,
     "qw::SplitterDlg"},
    {ResId::OptionsDialog,
     //: Options dialog title
     QT_TRANSLATE_NOOP("qw::OptionsDlg", "Options"),
     "MS Sans Serif",
     8,
     {307, 211},
     Popup | Caption | SysMenu | ModalFrame,
     0,
     0,
     optionsControls,
     "qw::OptionsDlg"},
};

} // namespace

const DialogTemplate *FindDialogTemplate(int id)
{
    for (const DialogTemplate &t : templates)
        if (t.id == id)
            return &t;
    return nullptr;
}

} // namespace qw

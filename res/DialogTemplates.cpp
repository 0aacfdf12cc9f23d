#include "DialogTemplates.h"

#include "ResourceIds.h"

namespace qw {

using namespace WinStyle;

namespace {

// The notice takes two lines, the holder and the licence, so the links sit one line lower.
const DialogControl aboutControls[] = {
    {CtrlId::Static, ControlClass::Static, "", IconStatic, {11, 17, 20, 20}, ResId::AppIcon},
    {CtrlId::Static, ControlClass::Static, "Ardenne Quirewright 2.0", TextLeft | NoPrefix | Group, {40, 10, 153, 8}},
    {CtrlId::Static,
     ControlClass::Static,
     "Copyright (C) 2026 The Quirewright developers.\nFree software under the GNU AGPL, version 3 or later.",
     TextLeft | Group,
     {40, 26, 210, 16}},
    {CtrlId::Ok, ControlClass::Button, "OK", DefPushButton | Group | TabStop, {205, 7, 50, 14}},
    {CtrlId::WebLink, ControlClass::Static, "Web: " QW_WEB_SITE_ADDRESS, TextLeft | Group, {40, 50, 153, 8}},
    {CtrlId::MailLink, ControlClass::Static, "Email: " QW_SUPPORT_ADDRESS, TextLeft | Group, {40, 66, 153, 8}},
};

const DialogControl mainControls[] = {
    {CtrlId::InsertButton, ControlClass::Button, "Insert (F2)", PushButton | TabStop, {60, 3, 47, 34}},
    {CtrlId::DeleteButton, ControlClass::Button, "Delete (F3)", PushButton | TabStop, {110, 3, 47, 34}},
    {CtrlId::OptionsButton, ControlClass::Button, "Options", PushButton | TabStop, {160, 3, 47, 34}},
    {CtrlId::SplitButton, ControlClass::Button, "Split (F5)", PushButton | TabStop, {210, 3, 47, 34}},
    {CtrlId::PageList,
     ControlClass::ListView,
     "",
     ReportView | SingleSelection | ShowSelectionAlways | Border | TabStop,
     {3, 42, 95, 358}},
    {CtrlId::OpenButton, ControlClass::Button, "Open", PushButton | TabStop, {10, 3, 47, 34}},
    {CtrlId::TopLine, ControlClass::Static, "", EtchedHorizontal, {53, 1, 581, 1}},
};

const DialogControl optionsControls[] = {
    {CtrlId::AskFolderRadio,
     ControlClass::Button,
     "Ask to seltct an output folder before splitting",
     AutoRadioButton | Group,
     {29, 18, 219, 10}},
    {CtrlId::OutputFolderRadio, ControlClass::Button, "Output to following folder", AutoRadioButton, {29, 34, 168, 10}},
    {CtrlId::OutputFolderEdit, ControlClass::Edit, "", Border | AutoHScroll | TabStop, {29, 49, 175, 14}},
    {CtrlId::SameFolderRadio,
     ControlClass::Button,
     "Same folder as original pdf file",
     AutoRadioButton,
     {29, 77, 146, 10}},
    {CtrlId::ArchiveCheck,
     ControlClass::Button,
     "Move to archive folder after splitting",
     AutoCheckBox | TabStop,
     {29, 101, 171, 10}},
    {CtrlId::Static, ControlClass::Static, "Archive folder:", TextLeft | Group, {29, 125, 60, 8}},
    {CtrlId::ArchiveFolderEdit, ControlClass::Edit, "", Border | AutoHScroll | TabStop, {95, 123, 107, 14}},
    {CtrlId::OutputFolderBrowse, ControlClass::Button, "Setting..", PushButton | TabStop, {211, 49, 56, 14}},
    {CtrlId::ArchiveFolderBrowse, ControlClass::Button, "Setting..", PushButton | TabStop, {213, 123, 54, 14}},
    {CtrlId::Static, ControlClass::Static, "Name pattern for split filename:", TextLeft | Group, {29, 150, 136, 8}},
    {CtrlId::PatternCombo,
     ControlClass::ComboBox,
     "",
     DropDown | VScroll | TabStop,
     {29, 165, 254, 90},
     0,
     {"{basename} {part}", "{basename} {part} of {filecount}", "{basename} {part:0000}",
      "{basename} from page {pagebegin} to {pageend}"}},
    {CtrlId::OptionsOk, ControlClass::Button, "Ok", PushButton | TabStop, {166, 186, 50, 14}},
    {CtrlId::OptionsCancel, ControlClass::Button, "Cancel", PushButton | TabStop, {232, 186, 50, 14}},
};

const DialogTemplate templates[] = {
    {ResId::AboutDialog,
     "About Ardenne Quirewright 2.0",
     "MS Sans Serif",
     8,
     {262, 93},
     Popup | Caption | SysMenu | ModalFrame,
     0,
     0,
     aboutControls},
    {ResId::MainDialog,
     "Quirewright",
     "MS Sans Serif",
     8,
     {634, 400},
     Popup | Visible | Caption | SysMenu | SizingBorder | MinimiseBox | MaximiseBox,
     AppWindowEx,
     ResId::MenuBar,
     mainControls},
    {ResId::OptionsDialog,
     "Options",
     "MS Sans Serif",
     8,
     {307, 211},
     Popup | Caption | SysMenu | ModalFrame,
     0,
     0,
     optionsControls},
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

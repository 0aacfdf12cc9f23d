#pragma once

namespace qw {

// Identifiers of the program's resources, controls and commands. Commands, buttons and keys
// are routed by these numbers, so they are fixed.

namespace ResId {
inline constexpr int AboutDialog = 100;
inline constexpr int MainDialog = 102;
inline constexpr int OptionsDialog = 130;

inline constexpr int MenuBar = 129;
inline constexpr int ListContextMenu = 135;
inline constexpr int CommandToolbar = 128; // toolbar 128 and its image strip, bitmap 128

inline constexpr int OpenPicture = 141; // 24 bits
inline constexpr int InsertPicture = 200; // 8 bits
inline constexpr int DeletePicture = 202; // 8 bits
inline constexpr int SplitPicture = 204; // 24 bits
inline constexpr int OptionsPicture = 206; // 8 bits

inline constexpr int AppIcon = 128;
inline constexpr int PageRowIcon = 138;
inline constexpr int BreakPointRowIcon = 139;
// Added: the row of a page left out of every part.
inline constexpr int LeftOutRowIcon = 140;
} // namespace ResId

namespace CtrlId {
inline constexpr int Ok = 1; // also the Enter key
inline constexpr int Cancel = 2; // also the Escape key
inline constexpr int Static = -1;

// Main dialog
inline constexpr int InsertButton = 1000;
inline constexpr int DeleteButton = 1001;
inline constexpr int OpenButton = 1002;
inline constexpr int OptionsButton = 1005;
inline constexpr int SplitButton = 1006;
inline constexpr int PageList = 1021;
inline constexpr int TopLine = 1023;

// Options dialog
inline constexpr int AskFolderRadio = 1007;
inline constexpr int OutputFolderRadio = 1008;
inline constexpr int OutputFolderEdit = 1009;
inline constexpr int SameFolderRadio = 1010;
inline constexpr int ArchiveCheck = 1012;
inline constexpr int ArchiveFolderEdit = 1013;
inline constexpr int OutputFolderBrowse = 1014;
inline constexpr int ArchiveFolderBrowse = 1016;
inline constexpr int PatternCombo = 1018;
inline constexpr int OptionsOk = 1019;
inline constexpr int OptionsCancel = 1020;

// About box
inline constexpr int WebLink = 1073;
inline constexpr int MailLink = 1074;
} // namespace CtrlId

namespace CmdId {
inline constexpr int FileOpen = 32771;
inline constexpr int FileOptions = 32772;
inline constexpr int FileExit = 32773;
inline constexpr int InsertBreakPoint = 32778;
inline constexpr int DeleteBreakPoint = 32779;
inline constexpr int CleanAllBreakPoints = 32780;
inline constexpr int SplitPdf = 32781;
inline constexpr int ContextInsertBreakPoint = 32784;
inline constexpr int ContextDeleteBreakPoint = 32785;
inline constexpr int ContextCleanAllBreakPoints = 32786;
inline constexpr int About = 32787;
inline constexpr int ViewWebSite = 32788;
// Added after the Action menu's own entries: break points from bookmarks or every N pages.
inline constexpr int PlaceBreakPoints = 32800;
// After it: the break point history, as Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) also reach it.
inline constexpr int Undo = 32801;
inline constexpr int Redo = 32802;
// Appended to the page list's context menu: the selected page left out of every part, or back in.
inline constexpr int ContextLeavePageOut = 32803;
// After the history in the Action menu, and F7: the preview as a grid of thumbnails, or one page.
inline constexpr int ShowThumbnails = 32804;

inline constexpr int RecentFileFirst = 57616;
inline constexpr int RecentFileLast = 57619;
inline constexpr int Help = 57670;
} // namespace CmdId

} // namespace qw

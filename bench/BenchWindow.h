#pragma once

#include "app/SplitterDlg.h"

namespace qw {

// The main window as the benchmarks drive it: its Options dialog confirmed at once, with every
// part going to `outFolder` as "{basename} {part}".
class BenchDlg : public SplitterDlg {
public:
    QString outFolder;
    bool RunOptionsDialog() override
    {
        Options.SaveFileType = 2;
        Options.OutFolderName = outFolder;
        Options.FileNamePattern = QStringLiteral("{basename} {part}");
        Options.ArchiveButtonState = 0;
        return true;
    }
};

} // namespace qw

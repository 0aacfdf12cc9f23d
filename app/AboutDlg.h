#pragma once

#include <QDialog>

namespace qw {

class HyperlinkLabel;

// The About box (template 100): the program's icon, name and version, the ownership notice,
// and two links, to the web site and to the support mail address. OK, Enter, Escape and the
// close box close it; it changes nothing else.
class AboutDlg : public QDialog {
    Q_OBJECT
public:
    AboutDlg();

    // Builds the box and shows it modally; the result says how it was closed.
    int DoModal();

    HyperlinkLabel *WebLink = nullptr;
    HyperlinkLabel *MailLink = nullptr;

private:
    void Create();
    void DoDataExchange();
    bool OnInitDialog();

    bool created_ = false;
};

} // namespace qw

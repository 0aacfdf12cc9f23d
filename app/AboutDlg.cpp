#include "AboutDlg.h"

#include "controls/HyperlinkLabel.h"
#include "framework/DialogBuilder.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QPushButton>

namespace qw {

namespace {

const DialogTemplate &aboutTemplate()
{
    return *FindDialogTemplate(ResId::AboutDialog);
}

std::uint32_t styleOf(int id)
{
    for (const DialogControl &control : aboutTemplate().controls)
        if (control.id == id)
            return control.style;
    return 0;
}

} // namespace

AboutDlg::AboutDlg() : QDialog(nullptr)
{
}

int AboutDlg::DoModal()
{
    Create();
    return exec();
}

void AboutDlg::Create()
{
    if (created_)
        return;
    created_ = true;
    const DialogTemplate &dialog = aboutTemplate();
    DialogBuilder::BuildFixedDialog(dialog, this);
    // OK closes the box, as Enter does through the default button.
    if (auto *ok = qobject_cast<QPushButton *>(DialogBuilder::ControlById(this, CtrlId::Ok)))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
}

void AboutDlg::DoDataExchange()
{
    WebLink = HyperlinkLabel::SubclassDlgItem(CtrlId::WebLink, this, styleOf(CtrlId::WebLink));
    MailLink = HyperlinkLabel::SubclassDlgItem(CtrlId::MailLink, this, styleOf(CtrlId::MailLink));
}

bool AboutDlg::OnInitDialog()
{
    DoDataExchange();
    // The template spells the labels out with the addresses; the words before them are the
    // user's language, the addresses never change.
    if (MailLink)
        //: About box: %1 is the support e-mail address
        MailLink->setText(tr("Email: %1").arg(QString::fromLatin1(kSupportAddress)));
    if (WebLink)
        //: About box: %1 is the web site's address
        WebLink->setText(tr("Web: %1").arg(QString::fromLatin1(kWebSiteAddress)));
    // Neither link is underlined: colour, hand cursor and tip show that they are links.
    if (MailLink) {
        MailLink->SetTarget(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress));
        MailLink->SetUnderlined(false);
    }
    if (WebLink) {
        WebLink->SetTarget(QString::fromLatin1(kWebSiteAddress));
        WebLink->SetUnderlined(false);
    }
    return true;
}

} // namespace qw

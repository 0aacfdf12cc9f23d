#include "AppMessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace qw {

namespace {

AppMessageBox::Responder &responder()
{
    static AppMessageBox::Responder instance;
    return instance;
}

QMessageBox::Icon iconOf(unsigned type)
{
    switch (type & 0xF0) {
    case MsgBox::IconStop: return QMessageBox::Critical;
    case MsgBox::IconQuestion: return QMessageBox::Question;
    case MsgBox::IconExclamation: return QMessageBox::Warning;
    case MsgBox::IconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void AppMessageBox::SetResponder(Responder r)
{
    responder() = std::move(r);
}

int AppMessageBox::Show(QWidget *parent, const QString &text, unsigned type)
{
    if (responder())
        return responder()(text, type);
    const bool yesNo = (type & 0xF) == MsgBox::YesNo;
    QMessageBox box(iconOf(type), QCoreApplication::applicationName(), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (yesNo)
        box.setDefaultButton(type & MsgBox::DefButton2 ? QMessageBox::No : QMessageBox::Yes);
    const int answer = box.exec();
    if (!yesNo)
        return MsgBox::IdOk;
    return answer == QMessageBox::Yes ? MsgBox::IdYes : MsgBox::IdNo;
}

} // namespace qw

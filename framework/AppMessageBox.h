#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qw {

// Message box types and answers, with the numbers the callers test for.
namespace MsgBox {
inline constexpr unsigned Ok = 0x0, YesNo = 0x4, IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30,
                          IconInformation = 0x40, DefButton2 = 0x100;
inline constexpr int IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7;
} // namespace MsgBox

// The one way the program shows a message box: caption the application name, fixed English
// text, OK or Yes/No buttons. Tests install a responder that answers instead of a person.
class AppMessageBox {
public:
    using Responder = std::function<int(const QString &text, unsigned type)>;

    // Shows `text` and returns the answer (IdOk, IdYes or IdNo; closing a Yes/No box gives IdNo).
    // With DefButton2, Enter answers No rather than Yes.
    static int Show(QWidget *parent, const QString &text, unsigned type = MsgBox::Ok);

    // While set, Show calls the responder and shows nothing. Pass {} to show boxes again.
    static void SetResponder(Responder responder);
};

} // namespace qw

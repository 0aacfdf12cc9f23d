#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace qw {

// Sees every key press meant for `dialog` or any control inside it before that control does,
// and consumes it when the handler says so. This lets a dialog own keys whichever of its
// controls has the focus. Keys of other windows (child dialogs, open menus) are left alone.
class DialogKeyFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent *)>;

    DialogKeyFilter(QWidget *dialog, Handler handler);
    ~DialogKeyFilter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *dialog_;
    Handler handler_;
};

} // namespace qw

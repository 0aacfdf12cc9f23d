#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

namespace qw {

// A bar for engine work that runs in the background (a split, a plan that goes through the
// pages), with Cancel. It holds the window's input while it is up, as a modal dialog does, but
// never runs an event loop of its own: the window's thread only shows what the work posts.
// It shows itself only when the work takes longer than `delayMs`.
class ProgressPanel : public QDialog {
    Q_OBJECT
public:
    ProgressPanel(QWidget *parent, const QString &label, int total, int delayMs);

    void SetLabel(const QString &label);
    QString LabelText() const;
    void SetProgress(int done, int total);

signals:
    // Cancel, Escape or the close box: the work is to stop. The panel stays until it has.
    void Cancelled();

protected:
    void reject() override;

private:
    QLabel *label_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QTimer *delay_ = nullptr;
};

} // namespace qw

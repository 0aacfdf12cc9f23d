#include "ProgressPanel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qw {

ProgressPanel::ProgressPanel(QWidget *parent, const QString &label, int total, int delayMs)
    : QDialog(parent), label_(new QLabel(label, this)), bar_(new QProgressBar(this)), delay_(new QTimer(this))
{
    setWindowTitle(QCoreApplication::applicationName());
    setWindowModality(Qt::WindowModal);
    bar_->setRange(0, qMax(total, 1));
    bar_->setValue(0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressPanel::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
    // Quick work comes and goes without a panel flashing up.
    delay_->setSingleShot(true);
    connect(delay_, &QTimer::timeout, this, &QDialog::open);
    delay_->start(delayMs);
}

void ProgressPanel::SetLabel(const QString &label)
{
    label_->setText(label);
}

QString ProgressPanel::LabelText() const
{
    return label_->text();
}

void ProgressPanel::SetProgress(int done, int total)
{
    if (total > 0 && bar_->maximum() != total)
        bar_->setMaximum(total);
    bar_->setValue(qBound(0, done, bar_->maximum()));
}

void ProgressPanel::reject()
{
    emit Cancelled();
}

} // namespace qw

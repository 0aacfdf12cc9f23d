#include "DialogKeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace qw {

DialogKeyFilter::DialogKeyFilter(QWidget *dialog, Handler handler)
    : QObject(dialog), dialog_(dialog), handler_(std::move(handler))
{
    // An application-wide filter runs before any filter or handler of the focused control.
    QCoreApplication::instance()->installEventFilter(this);
}

DialogKeyFilter::~DialogKeyFilter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool DialogKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    if (target != dialog_ && !dialog_->isAncestorOf(target))
        return false;
    return handler_(static_cast<QKeyEvent *>(event));
}

} // namespace qw

#include "ViewerHost.h"

int ViewerHost::Create(const QRect &position, QWidget *parent)
{
    if (!parent)
        return 0;
    setParent(parent);
    setGeometry(position);
    show();
    return 1;
}

void ViewerHost::LoadDocument(const QString &)
{
}

void ViewerHost::ShowPage(int)
{
}

#include "app/SplitterApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    SplitterApp app;
    app.InitInstance();
    return app.ExitInstance();
}

#include "app/BatchSplit.h"
#include "app/SplitterApp.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    // The console needs no display, so it must not start the GUI application object.
    if (qw::BatchSplit::IsConsoleCommand(argc, argv)) {
        QCoreApplication application(argc, argv);
        return qw::BatchSplit(QCoreApplication::arguments()).Exec();
    }
    QApplication application(argc, argv);
    // Qt has taken its own options; what is left after the program name is a document to open.
    const QStringList arguments = QCoreApplication::arguments();
    const QString document = arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();
    qw::SplitterApp app;
    app.InitInstance(document);
    return app.ExitInstance();
}

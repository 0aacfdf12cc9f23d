#include "app/BatchSplit.h"
#include "app/LaunchMode.h"
#include "app/SplitterApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcessEnvironment>

int main(int argc, char *argv[])
{
    // Chosen before any application object exists: the console needs no display, and
    // QApplication aborts the process when it finds none.
    switch (qw::LaunchMode::Choose(argc, argv, QProcessEnvironment::systemEnvironment())) {
    case qw::LaunchMode::Mode::Console: {
        QCoreApplication application(argc, argv);
        return qw::BatchSplit(QCoreApplication::arguments()).Exec();
    }
    case qw::LaunchMode::Mode::NoDisplay: return qw::LaunchMode::RefuseWindow();
    case qw::LaunchMode::Mode::Window: break;
    }
    QApplication application(argc, argv);
    // Qt has taken its own options; what is left after the program name is a document to open.
    const QStringList arguments = QCoreApplication::arguments();
    const QString document = arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();
    qw::SplitterApp app;
    app.InitInstance(document);
    return app.ExitInstance();
}

#include "batch/BatchSplit.h"
#include "app/LaunchMode.h"
#include "app/SplitterApp.h"
#include "core/NativeFileName.h"
#include "core/Translations.h"

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
        const qw::Translations translations(qw::LaunchMode::PlansForScripts(argc, argv) ? QLocale::c()
                                                                                        : QLocale::system());
        return qw::BatchSplit::FromCommandLine(argc, argv).Exec();
    }
    case qw::LaunchMode::Mode::NoDisplay: return qw::LaunchMode::RefuseWindow();
    case qw::LaunchMode::Mode::Window: break;
    }
    QApplication application(argc, argv);
    const qw::Translations translations(QLocale::system());
    // Qt has taken its own options out of argv; what is left after the program name is a
    // document to open, read from its own bytes.
    QString document;
    QString problem;
    if (argc > 1) {
        const std::optional<QString> exact = qw::NativeFileName::Decode(argv[1]);
        document = QFileInfo(exact.value_or(QString::fromUtf8(argv[1]))).absoluteFilePath();
        if (!exact)
            problem = qw::NativeFileName::Refusal(document);
    }
    qw::SplitterApp app;
    app.InitInstance(problem.isEmpty() ? document : QString(), problem);
    return app.ExitInstance();
}

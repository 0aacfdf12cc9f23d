// Measures what the engine runner adds to a run: an engine that exits at once, started through
// EngineRunner::RunEngine (output merged, traced, polled for Cancel), against the same script
// started by a bare QProcess.
// A runner that waited out its poll interval would show as a ratio far above 1.
//   build/quirewright_runner_bench [runs]
#include "split/EngineRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qw;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Run>
double secondsFor(int runs, Run run)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        run();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    const QString engine = dir.filePath("quick");
    QFile script(engine);
    if (!script.open(QIODevice::WriteOnly) || script.write("#!/bin/sh\nexit 0\n") < 0)
        return 1;
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);

    std::vector<double> runner;
    std::vector<double> bare;
    for (int round = 0; round < 5; ++round) {
        runner.push_back(secondsFor(runs, [&] {
            QByteArray output;
            EngineRunner::RunEngine(engine, {}, output);
        }));
        bare.push_back(secondsFor(runs, [&] {
            QProcess process;
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(engine, {});
            process.waitForFinished();
        }));
    }
    std::printf("%d runs of an engine that exits at once: runner %.3f s, bare QProcess %.3f s, ratio %.2f\n", runs,
                median(runner), median(bare), median(runner) / median(bare));
    return 0;
}

#include "ChildProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>

#include <csignal>
#include <cstring>
#include <elf.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace qw {

namespace {

// The kernel reads no more of a "#!" line than this.
constexpr qint64 kScriptLineMost = 256;
// A script's interpreter may itself be a script, a few levels deep as the kernel allows.
constexpr int kMostInterpreters = 4;
// No loader's path is longer.
constexpr quint64 kLoaderPathMost = 4096;

bool runnable(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

// The program loader an ELF file of this machine's kind names; empty when it names none.
template <typename Header, typename ProgramHeader>
QString loaderOf(QFile &file, const QByteArray &start)
{
    Header header;
    if (start.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, start.constData(), sizeof header);
    if (header.e_phentsize != sizeof(ProgramHeader))
        return {};
    for (quint32 i = 0; i < header.e_phnum; ++i) {
        ProgramHeader entry;
        if (!file.seek(qint64(header.e_phoff + quint64(i) * sizeof entry))
            || file.read(reinterpret_cast<char *>(&entry), sizeof entry) != qint64(sizeof entry))
            return {};
        if (entry.p_type != PT_INTERP)
            continue;
        if (entry.p_filesz > kLoaderPathMost || !file.seek(qint64(entry.p_offset)))
            return {};
        QByteArray path = file.read(qint64(entry.p_filesz));
        if (const qsizetype end = path.indexOf('\0'); end >= 0)
            path.truncate(end);
        return QFile::decodeName(path);
    }
    return {};
}

bool runnerMissing(const QString &program, int depth)
{
    QFile file(program);
    if (depth > kMostInterpreters || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(kScriptLineMost);
    if (start.startsWith("#!")) {
        // The interpreter is the first word of the line, ended by a space or a tab.
        QByteArray line = start.mid(2).split('\n').constFirst().trimmed();
        for (const char blank : {' ', '\t'})
            if (const qsizetype end = line.indexOf(blank); end >= 0)
                line.truncate(end);
        const QString interpreter = QFile::decodeName(line);
        return !interpreter.isEmpty() && (!runnable(interpreter) || runnerMissing(interpreter, depth + 1));
    }
    if (!start.startsWith(ELFMAG) || start.size() <= EI_DATA)
        return false;
    // Only an ELF file of this machine's byte order can run here at all.
    const int nativeOrder = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? ELFDATA2LSB : ELFDATA2MSB;
    if (start[EI_DATA] != nativeOrder)
        return false;
    QString loader;
    if (start[EI_CLASS] == ELFCLASS64)
        loader = loaderOf<Elf64_Ehdr, Elf64_Phdr>(file, start);
    else if (start[EI_CLASS] == ELFCLASS32)
        loader = loaderOf<Elf32_Ehdr, Elf32_Phdr>(file, start);
    return !loader.isEmpty() && !QFileInfo(loader).isFile();
}

} // namespace

bool ChildProcess::RunnerMissing(const QString &program)
{
    return runnerMissing(program, 0);
}

void ChildProcess::EndWithThisProgram(QProcess &process)
{
    const pid_t parent = ::getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(128 + SIGTERM);
    });
}

} // namespace qw

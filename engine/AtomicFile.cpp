#include "AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quirekit {

namespace {

// A signal handler can only reach plain static storage, so the one temporary file that a
// run has open is remembered here for it. The engine writes one file per run.
char s_pendingTemp[8192];
volatile sig_atomic_t s_pendingSet = 0;

extern "C" void removePendingTemp(int signo)
{
    if (s_pendingSet)
        ::unlink(s_pendingTemp);
    ::signal(signo, SIG_DFL);
    ::raise(signo);
}

void rememberPendingTemp(const std::string &path)
{
    if (path.size() >= sizeof s_pendingTemp)
        return; // too long to remember; the destructor still removes it on ordinary failures
    std::memcpy(s_pendingTemp, path.c_str(), path.size() + 1);
    s_pendingSet = 1;
    struct sigaction action { };
    action.sa_handler = removePendingTemp;
    sigemptyset(&action.sa_mask);
    for (int signo : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signo, &action, nullptr);
}

void forgetPendingTemp()
{
    s_pendingSet = 0;
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string errorText(int error)
{
    return std::strerror(error);
}

// Files are normally created with 0666 less the umask; mkstemp makes them 0600.
mode_t defaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A replaced file keeps its permissions and, where this process may set them, its owner
// and group; a new file gets the mode any new file would get.
void takeOverAttributes(int fd, const std::string &target, const Replacement &replacement)
{
    struct stat old { };
    const bool replaces
        = replacement.rule != Replacement::Rule::Nothing && ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)
          && (replacement.rule == Replacement::Rule::AnyFile || FileId{old.st_dev, old.st_ino} == replacement.agreed);
    if (!replaces) {
        ::fchmod(fd, defaultFileMode());
        return;
    }
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 0777);
}

// From an exchange until its check, the temporary name may hold another program's file,
// which the handler above would remove: the signals wait until it is back in its place.
class SignalsDeferred {
public:
    SignalsDeferred()
    {
        sigset_t signals;
        sigemptyset(&signals);
        for (int signo : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&signals, signo);
        ::sigprocmask(SIG_BLOCK, &signals, &m_previous);
    }
    ~SignalsDeferred() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsDeferred(const SignalsDeferred &) = delete;
    SignalsDeferred &operator=(const SignalsDeferred &) = delete;

private:
    sigset_t m_previous;
};

bool isNotSupported(int error)
{
#if ENOTSUP != EOPNOTSUPP
    if (error == EOPNOTSUPP)
        return true;
#endif
    return error == ENOTSUP;
}

// How file systems without renameat2's flags (FAT, some network and FUSE ones) answer them.
bool refusesRenameFlags(int error)
{
    return error == EINVAL || error == ENOSYS || isNotSupported(error);
}

// How file systems without hard links (FAT) answer link().
bool refusesHardLinks(int error)
{
    return error == EPERM || isNotSupported(error);
}

constexpr char kTempPrefix[] = ".quirekit-";
constexpr std::size_t kTempPrefixLength = sizeof kTempPrefix - 1;
constexpr std::size_t kTempUniqueLength = 6; // the XXXXXX that mkstemp fills in

bool isAlphanumeric(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

constexpr std::size_t kMostMachineLength = 32;
constexpr time_t kLeftoverAge = 24 * 60 * 60;

// This machine, as the name of a temporary file tells it: /etc/machine-id, else the host
// name, kept to letters and digits (so that it cannot hold the name's dashes or a path) and
// to a bounded length. Empty when neither gives one.
std::string machineToken()
{
    std::string text;
    if (std::FILE *file = std::fopen("/etc/machine-id", "re")) {
        char line[128] = "";
        if (std::fgets(line, sizeof line, file))
            text = line;
        std::fclose(file);
    }
    std::string token;
    for (char c : text)
        if (isAlphanumeric(c) && token.size() < kMostMachineLength)
            token.push_back(c);
    if (!token.empty())
        return token;
    char host[256] = "";
    if (::gethostname(host, sizeof host - 1) != 0)
        return {};
    for (const char *c = host; *c; ++c)
        if (isAlphanumeric(*c) && token.size() < kMostMachineLength)
            token.push_back(*c);
    return token;
}

// Whose a temporary file is, read from its name: .quirekit-<pid>-<machine>-XXXXXX as create()
// makes it, or .quirekit-<pid>-XXXXXX as earlier versions did (machine left empty). The process
// id comes first, where the program that starts the engine looks for the file of an engine it
// had to kill.
struct TemporaryOwner {
    pid_t pid = 0;
    std::string_view machine;
};

bool temporaryOwner(const char *name, TemporaryOwner &owner)
{
    const std::string_view text(name);
    if (text.size() < kTempPrefixLength + 2 + kTempUniqueLength || text.substr(0, kTempPrefixLength) != kTempPrefix)
        return false;
    const std::string_view unique = text.substr(text.size() - kTempUniqueLength);
    if (text[text.size() - kTempUniqueLength - 1] != '-')
        return false;
    for (char c : unique)
        if (!isAlphanumeric(c))
            return false;
    std::string_view middle = text.substr(kTempPrefixLength, text.size() - kTempPrefixLength - kTempUniqueLength - 1);
    std::string_view digits = middle;
    owner.machine = {};
    if (const auto dash = middle.find('-'); dash != std::string_view::npos) {
        digits = middle.substr(0, dash);
        owner.machine = middle.substr(dash + 1);
        if (owner.machine.empty() || owner.machine.size() > kMostMachineLength)
            return false;
        for (char c : owner.machine)
            if (!isAlphanumeric(c))
                return false;
    }
    if (digits.empty() || digits.size() > 9 || digits[0] == '0')
        return false;
    long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    owner.pid = static_cast<pid_t>(value);
    return true;
}

// SIGKILL cannot be caught, so a killed run leaves its temporary file behind. Its name
// tells whose it was: a regular file of this machine whose process no longer exists is
// removed. A process number means nothing on another machine writing to the same shared
// folder (nor in a file left by an earlier version, whose name has no machine), so such a
// file is removed only once it has not been written for a day.
void removeLeftovers(const std::string &folder, const std::string &machine)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const pid_t self = ::getpid();
    const time_t now = ::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        TemporaryOwner owner;
        if (!temporaryOwner(entry->d_name, owner))
            continue;
        const bool mine = !machine.empty() && owner.machine == machine;
        if (mine && owner.pid == self)
            continue;
        struct stat st { };
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const bool old = now - st.st_mtim.tv_sec > kLeftoverAge;
        const bool ownerGone = mine && ::kill(owner.pid, 0) != 0 && errno == ESRCH;
        if (old || ownerGone)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

void AtomicFile::removePending()
{
    if (s_pendingSet)
        ::unlink(s_pendingTemp);
}

AtomicFile::AtomicFile(std::string target, Replacement replacement, std::string noun)
    : m_target(std::move(target)), m_replacement(replacement), m_noun(std::move(noun))
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

Status AtomicFile::create()
{
    if (m_replacement.rule == Replacement::Rule::AgreedFile) {
        const Status held = holdAgreedFile();
        if (!held.ok)
            return held;
    }
    const std::string folder = folderOf(m_target);
    const std::string machine = machineToken();
    removeLeftovers(folder, machine);
    // A machine that cannot be told is named so that no run takes its files for its own.
    std::string pattern = folder + "/" + kTempPrefix + std::to_string(::getpid()) + "-"
                          + (machine.empty() ? std::string("unknown") : machine) + "-"
                          + std::string(kTempUniqueLength, 'X');
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return Status::failure("cannot create a file in the folder of '" + m_target + "': " + errorText(errno),
                               Status::Cause::Output);
    m_fd = fd;
    m_tempPath.assign(name.data());
    rememberPendingTemp(m_tempPath);
    return Status::success();
}

Status AtomicFile::writeAll(const std::string &data)
{
    const char *p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return cannotWrite(n < 0 ? errno : EIO);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return Status::success();
}

Status AtomicFile::commit(bool durable)
{
    if (m_fd < 0)
        return Status::failure("internal error: '" + m_target + "' was not created");
    takeOverAttributes(m_fd, m_target, m_replacement);
    // Flushed before the file takes the target's name so that a crash cannot leave an
    // empty file in the target's place.
    Status status;
    if (durable && ::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        status = cannotWrite(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && status.ok)
        status = cannotWrite(errno);
    if (status.ok)
        status = place();
    if (!status.ok) {
        discard();
        return status;
    }
    m_tempPath.clear();
    forgetPendingTemp();
    releaseAgreedFile();
    return Status::success();
}

// Held open until the end, the agreed file keeps its inode number: no file that another
// program creates meanwhile can get it, so an identity that matches later is that very file.
Status AtomicFile::holdAgreedFile()
{
    const int fd = ::open(m_target.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno != ENOENT)
        return cannotWrite(errno);
    if (fd < 0) {
        // Gone already: whatever takes the name from now on is someone else's.
        m_replacement.rule = Replacement::Rule::Nothing;
        return Status::success();
    }
    struct stat held { };
    if (::fstat(fd, &held) != 0 || !(FileId{held.st_dev, held.st_ino} == m_replacement.agreed)) {
        ::close(fd);
        return Status::failure("'" + m_target + "' is no longer the file that may be replaced; it was left unchanged",
                               Status::Cause::Occupied);
    }
    m_agreedFd = fd;
    return Status::success();
}

void AtomicFile::releaseAgreedFile()
{
    if (m_agreedFd >= 0)
        ::close(m_agreedFd);
    m_agreedFd = -1;
}

Status AtomicFile::place()
{
    switch (m_replacement.rule) {
    case Replacement::Rule::AnyFile: return renameOver();
    case Replacement::Rule::Nothing: return placeAtFreeName();
    case Replacement::Rule::AgreedFile: return placeOverAgreed();
    }
    return renameOver();
}

Status AtomicFile::placeAtFreeName()
{
    const char *temp = m_tempPath.c_str();
    const char *target = m_target.c_str();
    if (m_start <= Primitive::RenameFlags) {
        if (::renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
            return Status::success();
        if (errno == EEXIST)
            return appeared();
        if (!refusesRenameFlags(errno))
            return cannotWrite(errno);
    }
    if (m_start <= Primitive::HardLink) {
        if (::link(temp, target) == 0) {
            // In place; should the second name stay, a later run removes it as a leftover.
            ::unlink(temp);
            return Status::success();
        }
        if (errno == EEXIST)
            return appeared();
        if (!refusesHardLinks(errno))
            return cannotWrite(errno);
    }
    struct stat there { };
    if (::lstat(target, &there) == 0)
        return appeared();
    if (errno != ENOENT)
        return cannotWrite(errno);
    return renameOver();
}

Status AtomicFile::placeOverAgreed()
{
    if (m_start <= Primitive::RenameFlags) {
        const SignalsDeferred deferred;
        if (::renameat2(AT_FDCWD, m_tempPath.c_str(), AT_FDCWD, m_target.c_str(), RENAME_EXCHANGE) == 0)
            return keepOnlyAgreedFile();
        if (errno == ENOENT) // nothing at the target (any more)
            return placeAtFreeName();
        if (!refusesRenameFlags(errno))
            return cannotWrite(errno);
    }
    FileId there;
    if (!FileIdentity::idOf(m_target, false, there))
        return errno == ENOENT ? placeAtFreeName() : cannotWrite(errno);
    if (!(there == m_replacement.agreed))
        return appeared();
    return renameOver();
}

Status AtomicFile::keepOnlyAgreedFile()
{
    // The exchange has put the new file in place; the temporary name now holds what was
    // there, which may only go if it is the file the user agreed to replace.
    FileId previous;
    if (FileIdentity::idOf(m_tempPath, false, previous) && previous == m_replacement.agreed) {
        // Should it stay (the folder forbids removals now), a later run removes it as a leftover.
        ::unlink(m_tempPath.c_str());
        return Status::success();
    }
    if (::renameat2(AT_FDCWD, m_tempPath.c_str(), AT_FDCWD, m_target.c_str(), RENAME_EXCHANGE) != 0) {
        // It cannot go back: it stays under a name that no run removes as a leftover.
        std::string keptAs = m_tempPath + ".kept";
        if (::rename(m_tempPath.c_str(), keptAs.c_str()) != 0)
            keptAs = m_tempPath;
        m_tempPath.clear();
        forgetPendingTemp();
        return Status::failure("a file of that name appeared while the " + m_noun
                                   + " was being written and could not be put back; it is now '" + keptAs + "'",
                               Status::Cause::Occupied);
    }
    return appeared();
}

Status AtomicFile::renameOver()
{
    if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        return cannotWrite(errno);
    return Status::success();
}

Status AtomicFile::appeared() const
{
    return Status::failure("a file of that name appeared while the " + m_noun + " was being written; '" + m_target
                               + "' was left unchanged",
                           Status::Cause::Occupied);
}

Status AtomicFile::cannotWrite(int error) const
{
    return Status::failure("cannot write '" + m_target + "': " + errorText(error), Status::Cause::Output);
}

void AtomicFile::discard()
{
    releaseAgreedFile();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
        forgetPendingTemp();
    }
}

} // namespace quirekit

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QUrl;

namespace qw {

// The show command every caller passes; programs started here have no show state of their own.
namespace ShowCmd {
inline constexpr int Show = 5;
} // namespace ShowCmd

// Results of OpenLink, in the shell's manner: above 32 is success, 32 or less an error code
// that the hyperlink label turns into its message.
namespace LinkResult {
inline constexpr unsigned OutOfResources = 0;
inline constexpr unsigned FileNotFound = 2;
inline constexpr unsigned PathNotFound = 3;
inline constexpr unsigned AccessDenied = 5;
inline constexpr unsigned NoAssociation = 31;
inline constexpr unsigned Opened = 42;
inline constexpr bool Succeeded(unsigned result)
{
    return result > 32;
}
} // namespace LinkResult

// Opens a web address, a "mailto:" address or a file (an existing path becomes a file URL)
// with the desktop's opener. When that fails, starts the user's registered web browser with
// the target as its one last argument. Returns the opener's result on success or when no
// browser is registered (or its command cannot be read), else the browser start's result.
// Nothing is shown to the user here.
unsigned OpenLink(const QString &target, int showCommand);

// Reads a registration by the keys the fallback asks for, ".htm" (the desktop entry of the
// default web browser, from xdg-mime) and "<entry>\shell\open\command" (that entry's Exec
// line, with the desktop file's escapes resolved). 0 and `output` set on success; otherwise a
// non-zero error code and `output` untouched, so no command is ever built from an unread value.
unsigned ReadClassDefault(const QString &keyPath, QString &output);

// What the fallback runs: the registered command cut at its first quoted placeholder ("%1", or
// a desktop field code "%u" "%U" "%f" "%F", in quotes), else at the first bare one, else kept
// whole; split by the Windows command-line rules; then the target as one more argument,
// unchanged. Empty when the cut command names no program.
QStringList FallbackArguments(const QString &registeredCommand, const QString &target);

// Test seams. Each replaces one outside facility while set; pass {} to restore it.
namespace OpenLinkSeams {
// Stands in for the desktop's opener; true when it took the URL.
using PlatformOpener = std::function<bool(const QUrl &url)>;
// Stands in for ReadClassDefault's lookups, with the same contract.
using ClassReader = std::function<unsigned(const QString &keyPath, QString &output)>;
// Stands in for starting a detached program; returns a link result.
using Starter = std::function<unsigned(const QString &program, const QStringList &arguments)>;

void SetPlatformOpener(PlatformOpener opener);
void SetClassReader(ClassReader reader);
void SetStarter(Starter starter);
} // namespace OpenLinkSeams

} // namespace qw

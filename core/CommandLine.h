#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// Command lines held as one string, split into arguments by the rules Windows programs use:
// white space separates arguments; double quotes group; 2n backslashes before a quote give n
// backslashes and the quote groups, 2n+1 give n backslashes and a literal quote; other
// backslashes are literal; "" inside a quoted run is a literal quote.
//
// Unlike those rules, the first argument (the program) is read by the same rules as the
// others, so that any path survives Quote and Split.
class CommandLine {
public:
    static QStringList Split(const QString &commandLine);
    // `argument` in double quotes, escaped so that Split gives it back unchanged.
    static QString Quote(const QString &argument);
};

} // namespace qw

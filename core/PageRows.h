#pragma once

#include <Qt>

namespace qw {

// What the rows of the break point model tell their views beyond their text, by role: the page
// list and the thumbnail grid read the same model, from two libraries that do not know each
// other.
namespace PageRows {

enum Role {
    KindRole = Qt::UserRole + 1, // Kind, as an int
    PageRole, // the page of a page row; for a break point row, the page it stands before
    LeftOutRole, // a page row whose page belongs to no part
    // For a page row, which stretch between break points its page is in: 1 before the first
    // break point, 2 after it... (a page left out still counts to its stretch).
    StretchRole,
};

enum Kind { Page = 0, BreakPoint = 1 };

} // namespace PageRows

} // namespace qw

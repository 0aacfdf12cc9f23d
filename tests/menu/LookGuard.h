#pragma once

#include "menu/GlyphMenu.h"

namespace qw {

// Puts the process-wide menu look back as it was when the guard was made, also when a failed
// check leaves the test function early.
class LookGuard {
public:
    LookGuard() : saved_(GlyphMenu::Look()) {}
    ~LookGuard() { GlyphMenu::SetLook(saved_); }
    Q_DISABLE_COPY_MOVE(LookGuard)

    // Changes the look in force, until the guard's end, by what `change` does to it.
    template <typename Change> void Set(Change change)
    {
        MenuLook look = GlyphMenu::Look();
        change(look);
        GlyphMenu::SetLook(look);
    }

private:
    MenuLook saved_;
};

} // namespace qw

#pragma once

namespace quirekit {

// Whether this is a build that looks for leaks (AddressSanitizer's): it frees everything it
// made before it ends, where other builds leave that to the process's exit.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIREKIT_LEAKS_CHECKED
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUIREKIT_LEAKS_CHECKED)
inline constexpr bool kLeaksChecked = true;
#else
inline constexpr bool kLeaksChecked = false;
#endif

} // namespace quirekit

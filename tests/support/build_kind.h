// What kind of build the tests run in.
#pragma once

// Whether the code is a sanitizer build (slower: fewer and cheaper cases).
constexpr bool SANITIZED_BUILD =
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    true;
#else
    false;
#endif

#pragma once

// A property a fuzz target checks beyond the sanitizers: a violation stops the run like any
// sanitizer report, with the input saved.
inline void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// What both fuzz targets share: a failed expectation ends the run, and the number of inputs
// that reached the decoder's accepted side is printed at a clean exit, so the test can ask that
// some did (a crash skips the line and fails the test too).
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline long Accepted = 0;
inline const char* AcceptedWhat = "inputs accepted";

inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline void ReportAccepted() {
    std::printf("%s: %ld\n", AcceptedWhat, Accepted);
}

inline void CountAcceptedAtExit(const char* what) {
    AcceptedWhat = what;
    std::atexit(ReportAccepted);
}

} // namespace fuzz

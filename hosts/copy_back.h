// Putting a rewritten file in place without ever leaving the destination
// half written.
#pragma once

#include <cstdio>

namespace netprep {

// Flushes a stream written from its start and tells whether its file now
// holds exactly `cbExpected` bytes. The C runtime does not always report a
// short write on a full disk (Wine's takes 8,192 of 11,500 bytes and
// answers success), so every file written is measured before it is used.
bool FlushedFileHolds(FILE* stream, unsigned long long cbExpected);

// Makes `destination` hold exactly the bytes of `source`, with the
// source's creation time and the destination's former attributes. The
// bytes go to a side file in the destination's folder first; only once
// every byte is written and flushed does that file take the destination's
// name. `source` is never changed.
//
// 1: the destination now holds the source's bytes (also when the two paths
//    are the same apart from the case of ASCII letters; then nothing is
//    touched).
// 0: the destination is exactly as it was: the source could not be opened
//    or read to its end, the destination is read-only or cannot be
//    replaced (held open by another program, say), or a write failed
//    (a full disk, say). No side file is left behind.
int CopyFileBack(const char* source, const char* destination);

}  // namespace netprep

// The line work of the hosts file editors: which lines are loopback lines
// for a name, and the copy of a hosts file's lines from one stream to
// another. Standard C only, so it also builds natively for sanitizers and
// fuzzers.
#pragma once

#include <cstddef>
#include <cstdio>

namespace netprep {

// A line is read in pieces of at most 511 characters; the inserted line is
// formatted into a buffer of the same size.
constexpr int kLineBufferSize = 512;
// The longest name looked for: one that fits the line buffer.
constexpr size_t kMaxHostNameLength = kLineBufferSize - 1;
// What one read from the hosts file brings in. Large blocks keep the system
// calls few: a 150,000-line hosts file is rewritten twice per insertion.
constexpr size_t kHostsReadBlockSize = 32768;

// The address that marks a loopback line. Only its nine characters are
// compared, so "127.0.0.10" is a loopback line too.
constexpr const char* kLoopbackAddress = "127.0.0.1";

// 1 when the line, after its leading white space, begins with `prefix`
// (ASCII letters compared without regard to case); 0 otherwise, and for an
// empty line or one of white space only. `length` is the line's byte count.
int LineBeginsWith(const char* line, int length, const char* prefix);

// 1 when `text` occurs anywhere in the line from its first non-white-space
// character on (ASCII letters compared without regard to case); 0 otherwise.
int LineContains(const char* line, int length, const char* text);

enum class LineCopyResult {
    kCopied,
    kReadFailed,
    kWriteFailed,
};

// Writes `firstLine` (when not null) and then the lines of `from` (none when
// it is null) to `to`. Both streams are binary and the text rules are
// applied here: CR LF reads as LF and the byte 0x1A ends the text; every LF
// is written as CR LF. Every other byte, zero bytes included, is copied
// unchanged. When `name` is not null, every loopback line that mentions it
// anywhere is left out whole, however long, and *dropped is set when one
// was; a name longer than kMaxHostNameLength is never found. A read error
// is reported as such, never taken for the end of the file. *cbWritten
// receives the number of bytes handed to `to`.
LineCopyResult CopyHostsLines(FILE* from, FILE* to, const char* firstLine, const char* name,
                              bool* dropped, unsigned long long* cbWritten);

}  // namespace netprep

#include "hosts/hosts_lines.h"

#include <climits>
#include <cstring>

namespace netprep {

namespace {

// What one write to the temporary hosts file moves.
constexpr size_t kWriteBlockSize = 32768;
// A line is handed on in pieces of at most this many characters.
constexpr int kMaxPiece = kLineBufferSize - 1;
// The text rules end a file at this byte.
constexpr char kEndOfFileMark = '\x1A';
constexpr int kEndOfText = -1;
constexpr int kReadError = -2;

// Space, tab, line feed, vertical tab, form feed and carriage return. Bytes
// from 0x80 on never count, whatever the code page.
bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Only A to Z are folded, so the result does not depend on the locale.
unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool EqualIgnoringAsciiCase(const char* a, const char* b, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// strlen without a call into the C runtime: these run once per line.
size_t CountCharacters(const char* text)
{
    size_t count = 0;
    while (text[count] != '\0')
        ++count;
    return count;
}

// Eight bytes at a time: the word-sized loops below move ordinary text
// without looking at each byte, which makes up most of the time of a pass
// over a large hosts file.
constexpr unsigned long long kOnes = 0x0101010101010101ull;
constexpr unsigned long long kHighBits = 0x8080808080808080ull;

unsigned long long LoadWord(const char* bytes)
{
    unsigned long long word;
    memcpy(&word, bytes, sizeof word);
    return word;
}

void StoreWord(char* bytes, unsigned long long word) { memcpy(bytes, &word, sizeof word); }

// Non-zero when one of the word's bytes equals `c`.
unsigned long long HasByte(unsigned long long word, unsigned char c)
{
    const unsigned long long v = word ^ (kOnes * c);
    return (v - kOnes) & ~v & kHighBits;
}

// Whether `text` occurs in text[from..] of `window`, letters compared
// without regard to case.
bool Occurs(const char* window, size_t from, size_t cchWindow, const char* text, size_t cchText)
{
    if (cchText == 0)
        return true;
    if (cchWindow < cchText)
        return false;
    const unsigned char first = FoldAscii(static_cast<unsigned char>(text[0]));
    const unsigned char firstUpper = first >= 'a' && first <= 'z' ? first - 'a' + 'A' : first;
    const size_t lastStart = cchWindow - cchText;
    size_t p = from;
    while (p <= lastStart) {
        // Eight starting places at once where none holds the first letter.
        if (lastStart - p >= sizeof(unsigned long long)) {
            const unsigned long long word = LoadWord(window + p);
            if ((HasByte(word, first) | HasByte(word, firstUpper)) == 0) {
                p += sizeof(unsigned long long);
                continue;
            }
        }
        if (FoldAscii(static_cast<unsigned char>(window[p])) == first &&
            EqualIgnoringAsciiCase(window + p + 1, text + 1, cchText - 1))
            return true;
        ++p;
    }
    return false;
}

// The position of the first character that is not white space. A line feed
// stops the skip, so a line of blanks ending in one does not reach `length`.
int SkipLeadingWhiteSpace(const char* line, int length)
{
    int position = 0;
    while (position < length && line[position] != '\n' &&
           IsWhiteSpace(static_cast<unsigned char>(line[position])))
        ++position;
    return position;
}

bool BeginsWith(const char* line, int length, const char* prefix, size_t cchPrefix)
{
    if (length <= 0)
        return false;
    const int position = SkipLeadingWhiteSpace(line, length);
    if (position == length)
        return false;
    // A line that ends before the prefix does cannot begin with it.
    if (static_cast<size_t>(length - position) < cchPrefix)
        return false;
    return EqualIgnoringAsciiCase(line + position, prefix, cchPrefix);
}

bool Contains(const char* line, int length, const char* text, size_t cchText)
{
    if (length <= 0 || static_cast<size_t>(length) < cchText)
        return false;
    const int position = SkipLeadingWhiteSpace(line, length);
    if (position == length)
        return false;
    return Occurs(line, position, length, text, cchText);
}

// The hosts file, opened in binary mode, read by the platform's text rules:
// a CR LF pair gives one LF and the byte 0x1A ends the text. Doing this here
// rather than in a text stream keeps two things exact: line lengths come
// from byte counts, so a zero byte (a hosts file saved as UTF-16, say) is
// copied like any other instead of cutting its line short, and the file
// offset of every line is known, so a long line can be read ahead and then
// read again.
struct LineSource {
    FILE* stream;
    char block[kHostsReadBlockSize];
    size_t next;
    size_t end;
    long long blockOffset;  // file offset of block[0]
    bool ended;             // the end of the text was reached
};

// LF, CR and 0x1A: the bytes the text rules act on. A byte above '\r' and
// below 0x1A is rare, so one comparison settles almost every byte.
bool IsTextRuleByte(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u <= kEndOfFileMark && (u == '\n' || u == '\r' || u == kEndOfFileMark);
}

// Brings in the next block once the current one is used up. Returns the
// bytes available, 0 at the end of the file, or kReadError.
long long Refill(LineSource& source)
{
    if (source.next < source.end)
        return static_cast<long long>(source.end - source.next);
    source.blockOffset += source.end;
    source.next = 0;
    source.end = fread(source.block, 1, sizeof source.block, source.stream);
    if (source.end == 0)
        return ferror(source.stream) ? kReadError : 0;
    return static_cast<long long>(source.end);
}

// Reads the next piece of a line into `line` (kLineBufferSize bytes): up to
// 511 characters, ending after a line feed when one comes first. Returns
// the piece's length, 0 at the end of the text, -1 on a read error.
int ReadLinePiece(LineSource& source, char* line)
{
    int length = 0;
    while (length < kMaxPiece && !source.ended) {
        const long long available = Refill(source);
        if (available == kReadError)
            return -1;
        if (available == 0) {
            source.ended = true;
            break;
        }
        // Ordinary bytes go over in one run; only the three bytes that the
        // text rules act on stop it.
        const char* start = source.block + source.next;
        const size_t room = static_cast<size_t>(kMaxPiece - length);
        const size_t limit = static_cast<size_t>(available) < room ? available : room;
        char* out = line + length;
        size_t run = 0;
        for (; run + sizeof(unsigned long long) <= limit; run += sizeof(unsigned long long)) {
            const unsigned long long word = LoadWord(start + run);
            if (HasByte(word, '\n') | HasByte(word, '\r') | HasByte(word, kEndOfFileMark))
                break;
            StoreWord(out + run, word);
        }
        for (; run < limit; ++run) {
            const char c = start[run];
            if (IsTextRuleByte(c))
                break;
            out[run] = c;
        }
        length += static_cast<int>(run);
        source.next += run;
        if (run == limit)
            continue;

        const char c = start[run];
        ++source.next;
        if (c == kEndOfFileMark) {
            source.ended = true;
            break;
        }
        if (c == '\r') {
            const long long following = Refill(source);
            if (following == kReadError)
                return -1;
            if (following == 0 || source.block[source.next] != '\n') {
                line[length++] = '\r';
                continue;
            }
            ++source.next;
        }
        line[length++] = '\n';
        break;
    }
    line[length] = '\0';
    return length;
}

// The temporary hosts file, opened in binary mode, written by the text
// rules: every line feed goes out as CR LF.
struct LineSink {
    FILE* stream;
    char block[kWriteBlockSize];
    size_t used;
    unsigned long long cbWritten;
};

bool FlushSink(LineSink& sink)
{
    const size_t used = sink.used;
    sink.used = 0;
    sink.cbWritten += used;
    return used == 0 || fwrite(sink.block, 1, used, sink.stream) == used;
}

bool Put(LineSink& sink, const char* text, size_t cchText)
{
    while (cchText > 0) {
        if (sizeof sink.block - sink.used < 2 && !FlushSink(sink))
            return false;
        // One place is kept back for the CR of a line feed.
        const size_t room = sizeof sink.block - sink.used - 1;
        const size_t limit = cchText < room ? cchText : room;
        char* out = sink.block + sink.used;
        size_t run = 0;
        for (; run + sizeof(unsigned long long) <= limit; run += sizeof(unsigned long long)) {
            const unsigned long long word = LoadWord(text + run);
            if (HasByte(word, '\n'))
                break;
            StoreWord(out + run, word);
        }
        for (; run < limit && text[run] != '\n'; ++run)
            out[run] = text[run];
        sink.used += run;
        text += run;
        cchText -= run;
        if (run < limit) {
            sink.block[sink.used++] = '\r';
            sink.block[sink.used++] = '\n';
            ++text;
            --cchText;
        }
    }
    return true;
}

// Goes back to a place the source was at before. False when the stream
// cannot seek there.
bool Reposition(LineSource& source, long long offset, bool ended)
{
    if (offset > LONG_MAX || fseek(source.stream, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    source.blockOffset = offset;
    source.next = 0;
    source.end = 0;
    source.ended = ended;
    return true;
}

// Looks for a name in text handed over piece by piece. The last
// cchName - 1 characters of what was searched are carried over, so a name
// that straddles two pieces is found too.
struct MentionSearch {
    const char* name;
    size_t cchName;  // 1 to kMaxHostNameLength
    char window[2 * kLineBufferSize];
    size_t cchCarried;
};

void CarryTail(MentionSearch& search, const char* text, size_t cchText)
{
    const size_t cchKept = cchText < search.cchName - 1 ? cchText : search.cchName - 1;
    memmove(search.window, text + cchText - cchKept, cchKept);
    search.cchCarried = cchKept;
}

bool SearchOn(MentionSearch& search, const char* piece, size_t cchPiece)
{
    memcpy(search.window + search.cchCarried, piece, cchPiece);
    const size_t cchWindow = search.cchCarried + cchPiece;
    if (Occurs(search.window, 0, cchWindow, search.name, search.cchName))
        return true;
    CarryTail(search, search.window, cchWindow);
    return false;
}

// For a loopback line whose first piece does not mention the name: reads
// the rest of the line, looking for the name there, and comes back to where
// the source stood. 1: it is mentioned; 0: it is not; -1: a read error.
int RestOfLineMentions(LineSource& source, const char* line, int length, const char* name,
                       size_t cchName)
{
    if (cchName == 0)
        return 1;
    MentionSearch search;
    search.name = name;
    search.cchName = cchName;
    const int position = SkipLeadingWhiteSpace(line, length);
    CarryTail(search, line + position, length - position);

    const long long blockOffset = source.blockOffset;
    const size_t next = source.next;
    const bool ended = source.ended;
    char piece[kLineBufferSize];
    int mentioned = 0;
    for (;;) {
        const int cchPiece = ReadLinePiece(source, piece);
        if (cchPiece < 0)
            return -1;
        if (cchPiece == 0)
            break;
        if (SearchOn(search, piece, cchPiece)) {
            mentioned = 1;
            break;
        }
        if (piece[cchPiece - 1] == '\n')
            break;
    }
    // Still in the same block: it holds what it held, no need to read again.
    if (source.blockOffset == blockOffset && source.end > 0) {
        source.next = next;
        source.ended = ended;
        return mentioned;
    }
    return Reposition(source, blockOffset + next, ended) ? mentioned : -1;
}

}  // namespace

int LineBeginsWith(const char* line, int length, const char* prefix)
{
    if (line == nullptr || prefix == nullptr)
        return 0;
    return BeginsWith(line, length, prefix, CountCharacters(prefix)) ? 1 : 0;
}

int LineContains(const char* line, int length, const char* text)
{
    if (line == nullptr || text == nullptr)
        return 0;
    return Contains(line, length, text, CountCharacters(text)) ? 1 : 0;
}

LineCopyResult CopyHostsLines(FILE* from, FILE* to, const char* firstLine, const char* name,
                              bool* dropped, unsigned long long* cbWritten)
{
    LineSink sink{to, {}, 0, 0};
    if (firstLine != nullptr && !Put(sink, firstLine, CountCharacters(firstLine)))
        return LineCopyResult::kWriteFailed;

    LineSource source{from, {}, 0, 0, 0, from == nullptr};
    const size_t cchName = name != nullptr ? CountCharacters(name) : 0;
    const size_t cchLoopback = CountCharacters(kLoopbackAddress);
    const bool searching = name != nullptr && cchName <= kMaxHostNameLength;
    char line[kLineBufferSize];
    // The pieces after the first of a long line share its fate: judged on
    // their own, a piece could be dropped from the middle of a line that
    // stays, or a line's tail could stay behind as a line of its own.
    bool continuesLine = false;
    bool leaveOut = false;
    for (;;) {
        const int length = ReadLinePiece(source, line);
        if (length < 0)
            return LineCopyResult::kReadFailed;
        if (length == 0)
            break;
        if (!continuesLine) {
            leaveOut = false;
            if (searching && BeginsWith(line, length, kLoopbackAddress, cchLoopback)) {
                leaveOut = Contains(line, length, name, cchName);
                if (!leaveOut && line[length - 1] != '\n') {
                    const int mentioned = RestOfLineMentions(source, line, length, name, cchName);
                    if (mentioned < 0)
                        return LineCopyResult::kReadFailed;
                    leaveOut = mentioned == 1;
                }
            }
            if (leaveOut && dropped != nullptr)
                *dropped = true;
        }
        continuesLine = line[length - 1] != '\n';
        if (!leaveOut && !Put(sink, line, length))
            return LineCopyResult::kWriteFailed;
    }
    const bool flushed = FlushSink(sink);
    if (cbWritten != nullptr)
        *cbWritten = sink.cbWritten;
    return flushed ? LineCopyResult::kCopied : LineCopyResult::kWriteFailed;
}

}  // namespace netprep

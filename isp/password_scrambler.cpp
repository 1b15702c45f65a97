#include "isp/password_scrambler.h"

#include <cstdint>
#include <cstring>

namespace netprep {

namespace {

// Key bytes and character codes live among the printable characters after
// the space: 94 of them, from 33.
constexpr uint32_t kKeyModulus = 94;
constexpr unsigned char kFirstCode = 33;
constexpr unsigned char kLastAcceptedCode = 127;
// 127 - 33 exclusive-or a key byte below 128 stays below 128.
constexpr unsigned char kLastStoredCode = kFirstCode + 127;

// Unsigned arithmetic: for the lengths a password field holds (at most 78)
// the product is far below 2^31 and equals the signed 32-bit result; longer
// input wraps instead of overflowing.
int KeyByteFor(size_t position, size_t length)
{
    const uint32_t positionTerm = static_cast<uint32_t>(position) + kPositionOffset;
    const uint32_t lengthTerm = static_cast<uint32_t>(length) ^ kLengthModifier;
    return static_cast<int>(positionTerm * lengthTerm * kKeyMultiplier % kKeyModulus);
}

bool IsAcceptedCode(unsigned char code) { return code >= kFirstCode && code <= kLastAcceptedCode; }

}  // namespace

int ScrambleKeyByte(const char* password, size_t position)
{
    return KeyByteFor(position, strlen(password));
}

bool CanScramblePassword(const char* plain)
{
    for (const char* p = plain; *p != '\0'; ++p)
        if (!IsAcceptedCode(static_cast<unsigned char>(*p)))
            return false;
    return true;
}

int ScramblePassword(const char* plain, char* scrambled)
{
    const size_t length = strlen(plain);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char code = static_cast<unsigned char>(plain[i]);
        if (!IsAcceptedCode(code))
            return 1;
        const unsigned key = static_cast<unsigned>(KeyByteFor(i, length));
        scrambled[i] = static_cast<char>(((code - kFirstCode) ^ key) + kFirstCode);
    }
    scrambled[length] = '\0';
    return 0;
}

int RestorePassword(const char* stored, char* plain)
{
    const size_t length = strlen(stored);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char code = static_cast<unsigned char>(stored[i]);
        const unsigned key = static_cast<unsigned>(KeyByteFor(i, length));
        const unsigned restored = ((code - kFirstCode) ^ key) + kFirstCode;
        if (code < kFirstCode || code > kLastStoredCode || restored > kLastAcceptedCode) {
            plain[0] = '\0';
            return 1;
        }
        plain[i] = static_cast<char>(restored);
    }
    plain[length] = '\0';
    return 0;
}

}  // namespace netprep

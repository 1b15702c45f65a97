// The stored form of the ISP password: each character is replaced by a byte
// derived from the character, its position and the password's length, so the
// record does not hold the password's text while a reader that knows the
// three constants below restores it exactly. No key comes from outside: the
// same password always gives the same stored form.
//
// Compiles without windows.h.
#pragma once

#include <cstddef>

namespace netprep {

// The scheme's constants. Every reader of a stored record depends on them:
// changing one makes every record written before unreadable.
constexpr unsigned kPositionOffset = 7;
constexpr unsigned kLengthModifier = 0xA7;
constexpr unsigned kKeyMultiplier = 13;

// The key byte, 0 to 93, for `position` (0 for the first character) of
// `password`, whose length it measures itself. The stored form has the
// password's length, so the key bytes of a stored string are those of the
// password it came from.
int ScrambleKeyByte(const char* password, size_t position);

// True when ScramblePassword accepts every character of `plain`: codes 33
// to 127, that is printable ASCII without the space, and the delete
// character.
bool CanScramblePassword(const char* plain);

// Writes the stored form of `plain` to `scrambled`, which holds the
// password's length plus one byte: one byte from 33 to 160 per character,
// then a terminator. Returns 0, or 1 at the first refused character (a
// control character, the space, a code of 128 or above); the output then
// holds the bytes before it and no terminator, so a caller must not use it.
int ScramblePassword(const char* plain, char* scrambled);

// The inverse of ScramblePassword: restores the password from its stored
// form into `plain` (the stored length plus one byte). Returns 0, or 1 when
// `stored` cannot have come from ScramblePassword (a byte outside 33 to 160,
// or one that restores to a refused character); `plain` is then empty.
int RestorePassword(const char* stored, char* plain);

}  // namespace netprep

// How a test tells the stand-in RASAPI32.DLL what the phone book holds: a
// key under the test root of HKEY_LOCAL_MACHINE, read afresh on every call.
//   "Entries"  REG_MULTI_SZ  the entry names, in the order the phone book
//                            lists them (no key or no value: no entries)
//   "Result"   REG_DWORD     when present, the error the enumeration answers
//                            with, before it looks at the buffer
#pragma once

namespace netprep::test {

constexpr const char* kDialUpStandInKey = "SOFTWARE\\netprep-tests\\dial-up-stand-in";

}  // namespace netprep::test

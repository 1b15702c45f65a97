#include "frame/frame.h"
#include "frame/handles.h"
#include "include/netprep.h"
#include "isp/isp_account.h"
#include "isp/password_scrambler.h"
#include "isp/phone_book.h"
#include "resources/resource.h"

#include <cstring>

namespace netprep {

namespace {

IspAccount g_account;

// Inside the record store, and only there, a failing registry call raises
// its error code; one handler around the whole store catches it.
using RegistryErrorCode = DWORD;

void RaiseOnRegistryError(LONG result)
{
    if (result != ERROR_SUCCESS)
        throw static_cast<RegistryErrorCode>(result);
}

void WriteStringValue(HKEY key, const char* name, const char* data)
{
    // The stored length counts the terminator, as REG_SZ data does.
    const DWORD cbData = static_cast<DWORD>(strlen(data) + 1);
    RaiseOnRegistryError(
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), cbData));
}

void ReadUnattendedValue(const char* name, char* field)
{
    GetPrivateProfileStringA(kUnattendedSection, name, "", field, kAccountFieldReadLimit,
                             kUnattendedFileName);
}

int ConfigureAccount(HWND window)
{
    switch (EnumeratePhoneBookEntries()) {
    case EnumerationResult::LibraryMissing:
        ShowSetupError(IDS_NO_DIAL_UP);
        return 0;
    case EnumerationResult::FunctionMissing:
        ShowSetupError(IDS_NO_ENTRY_ENUMERATION);
        return 0;
    case EnumerationResult::Failed:
        return 0;
    case EnumerationResult::Enumerated:
        break;
    }
    // Only now: the two boxes above belong to whichever window an earlier
    // call stored.
    StoreOwnerWindow(window);

    IspAccount& account = g_account;
    // The file's entry name keeps the read limit of the other fields.
    ReadUnattendedValue("PhoneBookEntry", account.entryName);
    INT_PTR result = 1;
    if (account.entryName[0] != '\0') {
        // Unattended: taken as written, whether or not the entry exists.
        ReadUnattendedValue("Username", account.userName);
        ReadUnattendedValue("Password", account.password);
        account.domain[0] = '\0';
    } else {
        result = DialogBoxParamA(ModuleHandle(), MAKEINTRESOURCEA(IDD_ISP_PROPERTIES), window,
                                 ISPDialogProc, 0);
    }
    if (result != 1)
        return static_cast<int>(result);

    // The dialog refuses such a password itself; the unattended file is
    // checked here. A refused password is never written, not even in part.
    char scrambled[kScrambledPasswordSize];
    if (ScramblePassword(account.password, scrambled) != 0) {
        ShowSetupError(IDS_PASSWORD_NOT_PRINTABLE);
        return 0;
    }
    StorePhoneBookRecord(account, scrambled);
    // The account was confirmed; a failed store has told the user.
    return 1;
}

}  // namespace

IspAccount& CurrentAccount() { return g_account; }

void StorePhoneBookRecord(const IspAccount& account, const char* scrambledPassword)
{
    try {
        // RegCreateKeyA leaves its output alone when it fails.
        HKEY created = nullptr;
        RaiseOnRegistryError(RegCreateKeyA(HKEY_LOCAL_MACHINE, kPhoneBookRecordPath, &created));
        UniqueKey key(created);
        WriteStringValue(key.get(), "Name", account.entryName);
        WriteStringValue(key.get(), "DomainName", account.domain);
        WriteStringValue(key.get(), "NetUserName", account.userName);
        WriteStringValue(key.get(), "NetPassword", scrambledPassword);
    } catch (RegistryErrorCode) {
        // The key, when open, was closed on the way here. The code is not
        // reported: the user can only be told that the registry refused.
        ShowSetupError(IDS_REGISTRY_FAILED);
    }
}

}  // namespace netprep

// 1 when the account was confirmed (by the unattended file or the dialog)
// and its record stored, or the registry refused it and the user was told;
// 0 when nothing was stored (no Dial-Up Networking or no entry enumeration,
// both with a message; a failed enumeration; a password with a character
// the stored form cannot hold, with a message; the user cancelled); -1 when
// the dialog could not be shown.
int NETPREP_API ConfigureISP(HWND window)
{
    try {
        return netprep::ConfigureAccount(window);
    } catch (...) {
        // Only the store raises, and it catches its own; no exception may
        // reach the script.
        return 0;
    }
}

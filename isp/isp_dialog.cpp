#include "frame/frame.h"
#include "isp/isp_account.h"
#include "isp/password_scrambler.h"
#include "isp/phone_book.h"
#include "resources/resource.h"

#include <cstring>

namespace netprep {

namespace {

void FillEntryList(HWND dialog)
{
    // The combo box sorts the names; item 0 is the first in that order.
    for (DWORD i = 0; i < EntryCount(); ++i) {
        char name[kEntryNameSize];
        if (CopyEntryName(i, name))
            SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(name));
    }
    SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_SETCURSEL, 0, 0);
}

void EnableDomainField(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_DOMAIN_NAME),
                 IsDlgButtonChecked(dialog, IDC_REQUIRES_DOMAIN) == BST_CHECKED);
}

// CB_GETLBTEXT takes no size, so the item's length is checked against the
// field first. Names enter the list bounded to 256 characters, so the
// selected one always fits; with no item selected the field is left alone.
void CopySelectedEntryName(HWND dialog, char* entryName)
{
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    const LRESULT cchName =
        SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETLBTEXTLEN, index, 0);
    if (cchName == CB_ERR || cchName >= static_cast<LRESULT>(kEntryNameSize))
        return;
    SendDlgItemMessageA(dialog, IDC_ENTRY_LIST, CB_GETLBTEXT, index,
                        reinterpret_cast<LPARAM>(entryName));
}

// OK: each failed check shows its message, owned by the script's window
// rather than the dialog, and leaves the dialog open as the user left it.
void AcceptAccount(HWND dialog)
{
    IspAccount& account = CurrentAccount();
    if (GetDlgItemTextA(dialog, IDC_LOGIN_NAME, account.userName, kAccountFieldReadLimit) == 0) {
        ShowSetupError(IDS_LOGIN_NAME_REQUIRED);
        return;
    }
    if (GetDlgItemTextA(dialog, IDC_PASSWORD, account.password, kAccountFieldReadLimit) == 0) {
        ShowSetupError(IDS_PASSWORD_REQUIRED);
        return;
    }
    char confirmation[kAccountFieldSize];
    if (GetDlgItemTextA(dialog, IDC_CONFIRM_PASSWORD, confirmation, kAccountFieldReadLimit) ==
        0) {
        ShowSetupError(IDS_CONFIRMATION_REQUIRED);
        return;
    }
    if (strcmp(confirmation, account.password) != 0) {
        ShowSetupError(IDS_PASSWORDS_DIFFER);
        return;
    }
    // The stored form holds printable characters only; such a password
    // would otherwise be stored cut short.
    if (!CanScramblePassword(account.password)) {
        ShowSetupError(IDS_PASSWORD_NOT_PRINTABLE);
        return;
    }
    // A domain typed while the box was ticked stays in the field when it is
    // cleared, but is only taken while the box is ticked.
    if (IsDlgButtonChecked(dialog, IDC_REQUIRES_DOMAIN) == BST_CHECKED)
        GetDlgItemTextA(dialog, IDC_DOMAIN_NAME, account.domain, kAccountFieldReadLimit);
    else
        account.domain[0] = '\0';
    CopySelectedEntryName(dialog, account.entryName);
    EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK ISPDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    switch (message) {
    case WM_INITDIALOG:
        FillEntryList(dialog);
        CheckDlgButton(dialog, IDC_REQUIRES_DOMAIN, BST_UNCHECKED);
        EnableDomainField(dialog);
        // Answer 0: no control is given the focus here.
        return FALSE;
    case WM_COMMAND:
        // Only the command id counts; the notification code is not looked at.
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptAccount(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_REQUIRES_DOMAIN:
            EnableDomainField(dialog);
            return FALSE;
        }
        break;
    }
    return FALSE;
}

}  // namespace netprep

/*
 * netprep.dll: set-up functions for installation scripts.
 *
 * Every export is a plain cdecl function exported under its undecorated
 * name. Strings are 8-bit ANSI, zero-terminated. Every export returns a
 * 32-bit signed integer; none shows a window except ConfigureISP.
 */
#ifndef NETPREP_H
#define NETPREP_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define NETPREP_API __cdecl

/* ---- ISP dial-up account ------------------------------------------------ */

/* Records the dial-up entry and ISP account under
 * HKLM\SOFTWARE\Quillmere\Internet Netmeld\PhoneBookEntries\0000, taken from
 * %windir%\NmSetup.ini or, when that names no entry, from the ISP properties
 * dialog owned by `window`.
 * 1: the account was confirmed and stored (or the registry refused it and the
 *    user was told); 0: nothing stored (no Dial-Up Networking or a failed
 *    entry enumeration, a password with a space, a control character or a
 *    code of 128 or above, the user cancelled, or `window` no longer exists);
 *    -1: the dialog could not be shown. */
int NETPREP_API ConfigureISP(HWND window);

/* 0: at least one Dial-Up Networking entry exists; 1: Dial-Up Networking is
 * not installed; 2: it has no entry enumeration; 3: no entry (or the
 * enumeration failed). */
int NETPREP_API PhoneBookExists(void);

/* ---- Hosts file ---------------------------------------------------------- */

/* Puts "127.0.0.1<TAB>name" at the top of the hosts file after removing the
 * loopback lines that mention the name. A null or empty name means the
 * machine's default host name (on Windows 95 with the TCP/IP domain).
 * 1: the hosts file now holds the line; 0: it was left as it was (also for
 *    a name over 500 characters). The hosts file is never left half
 *    written. */
int NETPREP_API InsertHostName(const char *hostName);

/* Removes every loopback line that mentions the name (case-insensitive
 * substring). A null or empty name means the default host name.
 * 1: lines were removed and the hosts file replaced; 0: otherwise, and the
 *    hosts file as it was on every failure (a name over 511 characters is
 *    refused). */
int NETPREP_API RemoveHostName(const char *hostName);

/* As RemoveHostName; a null or empty name means the bare computer name. */
int NETPREP_API RemoveOldHostName(const char *hostName);

/* 1: the text is not a numeric Internet address (a host name; also
 * "255.255.255.255" and a null pointer); 0: it is one. */
int NETPREP_API CheckValidHostname(const char *text);

/* ---- Network probes ------------------------------------------------------ */

/* 1: TCP/IP is bound to more adapters than the dial-up ones; 0: otherwise. */
int NETPREP_API IpLoaded(void);

/* 2: the WSOCK32.DLL that loads is the system's own; 0: it is another;
 * 1: none loads. */
int NETPREP_API VerifyMicrosoftWinsock(void);

/* ---- Companion programs -------------------------------------------------- */

/* 1: the window is there; 0: it is not. A null windowTitle matches any
 * Explorer folder window. */
int NETPREP_API IsRunningIPM95(void);
int NETPREP_API IsRunningINM95(void);
int NETPREP_API IsControlPanelOpen(const char *windowTitle);

/* 1: the window was found and asked to close (whether or not it closed);
 * 0: no such window. Only the first matching window is asked. StopIPM95
 * posts the request and returns at once; the others wait, without a
 * time-out, until the program has handled it (it may ask its user first). */
int NETPREP_API StopIPM95(void);
int NETPREP_API StopINM95(void);
int NETPREP_API StopINMSwitch(void);
int NETPREP_API StopINMClient95(void);
int NETPREP_API CloseControlPanel(const char *windowTitle);

/* The client program's reply to the running-applications query, unchanged;
 * 0 when the client program is not running. */
int NETPREP_API IsINMClientRunningApps(void);

/* Asks the taskbar icon window to close; always 1. */
int NETPREP_API CloseToolTrayIcon(void);

/* ---- Versions ------------------------------------------------------------ */

/* Copies the version string (the version file's first line without its line
 * end, at most 511 characters) into `destination` (512 bytes).
 * 1: copied; 0: the file cannot be opened or holds no character, or an
 * argument is null (destination untouched). */
int NETPREP_API GetVersionFromVersionFile(char *destination, const char *versionFilePath);

/* 1: the version in HKLM\SOFTWARE\Quillmere\Setup, value `valueName` (null or
 * "" for the unnamed value), sorts after the version file's, byte by byte as
 * signed characters; 0: it does not, or either cannot be read, or the path
 * is null. */
int NETPREP_API NewerVersionInstalled(const char *valueName, const char *versionFilePath);

/* ---- Registry ------------------------------------------------------------ */

/* Deletes one value under HKEY_LOCAL_MACHINE\keyPath. Always 1. */
int NETPREP_API RegDBDeleteValue(const char *keyPath, const char *valueName);

#ifdef __cplusplus
}
#endif

#endif /* NETPREP_H */

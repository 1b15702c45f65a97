#include "hosts/copy_back.h"

#include "frame/handles.h"
#include "frame/platform_family.h"

#include <io.h>

#include <cstdio>
#include <cstring>

namespace netprep {

namespace {

// The copy moves this much per read, so the file is never held in memory
// as a whole; blocks this large let a stream read and write them directly,
// a few system calls per megabyte.
constexpr size_t kBlockSize = 65536;

// GetTempFileNameA makes "hstXXXX.tmp" names: unique in the folder, so a
// user's own hosts.bak or hosts.old is never overwritten.
constexpr const char* kSideFilePrefix = "hst";

// The attributes SetFileAttributesA can give a file. Read-only never gets
// this far.
constexpr DWORD kCarriedAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY |
                                     FILE_ATTRIBUTE_OFFLINE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

using MoveFileExAFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool EqualIgnoringAsciiCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (FoldAscii(static_cast<unsigned char>(*a)) != FoldAscii(static_cast<unsigned char>(*b)))
            return false;
        if (*a == '\0')
            return true;
    }
}

HANDLE StreamHandle(FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

// The folder part of `path`, backslash included, in `folder` (MAX_PATH
// bytes); "." for a bare name. False when it does not fit.
bool FolderOf(const char* path, char* folder)
{
    const char* separator = nullptr;
    for (const char* c = path; *c != '\0'; ++c)
        if (*c == '\\' || *c == '/')
            separator = c;
    if (separator == nullptr) {
        strcpy(folder, ".");
        return true;
    }
    const size_t cchFolder = separator - path + 1;
    if (cchFolder >= MAX_PATH)
        return false;
    memcpy(folder, path, cchFolder);
    folder[cchFolder] = '\0';
    return true;
}

// A file of this call's own making, deleted on the way out unless it has
// become the destination.
struct SideFile {
    char path[MAX_PATH] = {};
    bool inPlace = false;

    SideFile() = default;
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;
    ~SideFile()
    {
        if (path[0] != '\0' && !inPlace)
            DeleteFileA(path);
    }
};

// Copies the rest of `source` into the side file and flushes it to the
// disk. False on a read error (never taken for the end of the file), on any
// write or flush failure, and when the side file's size differs from the
// bytes read.
bool WriteSideFile(FILE* source, const char* sidePath)
{
    FILETIME created;
    const bool haveCreated = GetFileTime(StreamHandle(source), &created, nullptr, nullptr) != FALSE;

    UniqueStream side(fopen(sidePath, "wb"));
    if (!side)
        return false;
    char block[kBlockSize];
    ULONGLONG cbCopied = 0;
    for (;;) {
        const size_t got = fread(block, 1, kBlockSize, source);
        if (got == 0) {
            if (ferror(source))
                return false;
            break;
        }
        // A buffered stream takes less than it is offered only after an
        // error; going on could leave a gap in the file.
        if (fwrite(block, 1, got, side.get()) != got)
            return false;
        cbCopied += got;
    }
    if (!FlushedFileHolds(side.get(), cbCopied))
        return false;

    const HANDLE handle = StreamHandle(side.get());
    // The creation time rides along where the file system keeps one; the
    // content does not depend on it.
    if (haveCreated)
        SetFileTime(handle, &created, nullptr, nullptr);
    if (!FlushFileBuffers(handle))
        return false;
    return fclose(side.release()) == 0;
}

// Windows 95 has no working MoveFileExA, so the destination goes aside
// under a name of its own, the side file takes its place, and only then is
// the former file deleted. Should the side file fail to move in, the
// former file is moved back; should even that fail, its bytes stay under
// the aside name rather than being deleted.
bool MoveInBySteps(const char* sidePath, const char* destination, bool destinationExists,
                   const char* folder)
{
    if (!destinationExists)
        return MoveFileA(sidePath, destination) != FALSE;

    char asidePath[MAX_PATH];
    if (GetTempFileNameA(folder, kSideFilePrefix, 0, asidePath) == 0)
        return false;
    // The name is reserved by an empty file; MoveFileA wants it free.
    DeleteFileA(asidePath);
    if (!MoveFileA(destination, asidePath))
        return false;
    if (!MoveFileA(sidePath, destination)) {
        MoveFileA(asidePath, destination);
        return false;
    }
    DeleteFileA(asidePath);
    return true;
}

// On the NT family one MoveFileExA replaces the destination in a single
// step, so no moment passes without a file under its name. It is looked up
// at run time: Windows 95 exports it only as a stub.
bool PutInPlace(const char* sidePath, const char* destination, bool destinationExists,
                const char* folder)
{
    if (!IsWindows95Family()) {
        const auto moveFileEx = reinterpret_cast<MoveFileExAFunction>(
            GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA"));
        if (moveFileEx != nullptr) {
            if (moveFileEx(sidePath, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
                return false;
        }
    }
    return MoveInBySteps(sidePath, destination, destinationExists, folder);
}

}  // namespace

bool FlushedFileHolds(FILE* stream, unsigned long long cbExpected)
{
    if (fflush(stream) != 0 || ferror(stream))
        return false;
    DWORD sizeHigh = 0;
    SetLastError(NO_ERROR);
    const DWORD sizeLow = GetFileSize(StreamHandle(stream), &sizeHigh);
    if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    return ((static_cast<ULONGLONG>(sizeHigh) << 32) | sizeLow) == cbExpected;
}

int CopyFileBack(const char* source, const char* destination)
{
    if (source == nullptr || destination == nullptr)
        return 0;
    if (EqualIgnoringAsciiCase(source, destination))
        return 1;

    const DWORD attributes = GetFileAttributesA(destination);
    const bool destinationExists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!destinationExists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return 0;
    // A read-only file is one its owner protected: it is refused, as a
    // plain write to it would be.
    if (destinationExists &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return 0;

    UniqueStream in(fopen(source, "rb"));
    if (!in)
        return 0;
    char folder[MAX_PATH];
    if (!FolderOf(destination, folder))
        return 0;
    SideFile side;
    if (GetTempFileNameA(folder, kSideFilePrefix, 0, side.path) == 0) {
        side.path[0] = '\0';
        return 0;
    }
    if (!WriteSideFile(in.get(), side.path))
        return 0;
    in.reset();

    if (destinationExists) {
        const DWORD carried = attributes & kCarriedAttributes;
        if (!SetFileAttributesA(side.path, carried != 0 ? carried : FILE_ATTRIBUTE_NORMAL))
            return 0;
    }
    if (!PutInPlace(side.path, destination, destinationExists, folder))
        return 0;
    side.inPlace = true;
    return 1;
}

}  // namespace netprep

// Times InsertHostName and RemoveHostName of netprep.dll on a generated
// hosts file, against one CopyFileA of the same file, and prints the
// process's peak working set. Run one size per process, so that each peak
// is that size's own:
//
//   netprep_bench_hosts <lines> [rounds]
//
// The generated file is kept in bench\ beside the program; the prefix's
// hosts file is put back as it was at the end.
#include "tests/support/paths.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Export = int(__cdecl*)(const char*);

constexpr const char* kBenchName = "netprep-bench.example";

using netprep::test::ProgramDirectory;

std::string HostsPath()
{
    return netprep::test::WindowsDirectory() + "\\SYSTEM32\\DRIVERS\\ETC\\HOSTS";
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A blocklist-style hosts file: every line a loopback line, about 31 bytes.
bool GenerateHostsFile(const std::string& path, int lines)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    fputs("# generated for the hosts benchmark\r\n127.0.0.1 localhost\r\n", file);
    for (int i = 2; i < lines; ++i)
        fprintf(file, "127.0.0.1 a%06d.example.com\r\n", i);
    return fclose(file) == 0;
}

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <typename Call>
double Time(Call call)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

std::string ReadWholeFile(const std::string& path, bool* ok)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    *ok = file != nullptr;
    if (file == nullptr)
        return bytes;
    char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    fclose(file);
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: netprep_bench_hosts <lines> [rounds]\n");
        return 2;
    }
    const int lines = atoi(argv[1]);
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    HMODULE dll = LoadLibraryA((ProgramDirectory() + "\\netprep.dll").c_str());
    if (dll == nullptr) {
        fprintf(stderr, "cannot load netprep.dll (%lu)\n", GetLastError());
        return 3;
    }
    const auto insert = reinterpret_cast<Export>(GetProcAddress(dll, "InsertHostName"));
    const auto remove = reinterpret_cast<Export>(GetProcAddress(dll, "RemoveHostName"));
    if (insert == nullptr || remove == nullptr)
        return 3;

    const std::string folder = ProgramDirectory() + "\\bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string generated = folder + "\\hosts-" + std::to_string(lines) + ".txt";
    if (FileSize(generated) <= 0 && !GenerateHostsFile(generated, lines)) {
        fprintf(stderr, "cannot write %s\n", generated.c_str());
        return 3;
    }
    const std::string hosts = HostsPath();
    const std::string floorCopy = hosts + ".bench-copy";
    bool hadHosts = false;
    const std::string savedHosts = ReadWholeFile(hosts, &hadHosts);
    const double peakBefore = PeakWorkingSetMiB();

    std::vector<double> copyMs, durableMs, insertMs, removeMs;
    bool allOk = true;
    for (int round = 0; round < rounds; ++round) {
        CopyFileA(generated.c_str(), hosts.c_str(), FALSE);
        copyMs.push_back(Time([&] { CopyFileA(hosts.c_str(), floorCopy.c_str(), FALSE); }));
        DeleteFileA(floorCopy.c_str());
        // The copy-back flushes its file to the disk before it renames it;
        // a plain copy leaves that to the cache.
        durableMs.push_back(Time([&] {
            CopyFileA(hosts.c_str(), floorCopy.c_str(), FALSE);
            HANDLE copy = CreateFileA(floorCopy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            FlushFileBuffers(copy);
            CloseHandle(copy);
        }));
        DeleteFileA(floorCopy.c_str());
        int inserted = 0, removed = 0;
        insertMs.push_back(Time([&] { inserted = insert(kBenchName); }));
        removeMs.push_back(Time([&] { removed = remove(kBenchName); }));
        // After both calls the file is the generated one again.
        allOk = allOk && inserted == 1 && removed == 1 && FileSize(hosts) == FileSize(generated);
    }

    if (hadHosts) {
        FILE* file = fopen(hosts.c_str(), "wb");
        if (file != nullptr) {
            fwrite(savedHosts.data(), 1, savedHosts.size(), file);
            fclose(file);
        }
    } else {
        DeleteFileA(hosts.c_str());
    }

    const double copy = Median(copyMs);
    const double durable = Median(durableMs);
    const double insertTime = Median(insertMs);
    const double removeTime = Median(removeMs);
    printf("%d lines, %.1f MB, median of %d rounds:\n", lines,
           static_cast<double>(FileSize(generated)) / 1e6, rounds);
    printf("  CopyFileA (floor)           %8.1f ms\n", copy);
    printf("  CopyFileA + FlushFileBuffers %7.1f ms  %5.2f x floor\n", durable, durable / copy);
    printf("  InsertHostName              %8.1f ms  %5.2f x floor (target 8), %5.2f x flushed copy\n",
           insertTime, insertTime / copy, insertTime / durable);
    printf("  RemoveHostName              %8.1f ms  %5.2f x floor, %5.2f x flushed copy\n",
           removeTime, removeTime / copy, removeTime / durable);
    printf("  peak working set            %8.1f MiB (%.1f MiB before the calls)\n",
           PeakWorkingSetMiB(), peakBefore);
    printf("  results and sizes           %s\n", allOk ? "as expected" : "WRONG");
    fflush(stdout);
    FreeLibrary(dll);
    return allOk ? 0 : 1;
}

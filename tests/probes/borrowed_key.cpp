#include "tests/probes/borrowed_key.h"

#include "tests/support/registry_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace netprep::test {

namespace {

// Copies the tree at `from` to `to`, both under HKEY_LOCAL_MACHINE; `to` is
// created.
void CopyTree(const std::string& from, const std::string& to)
{
    HKEY source = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, from.c_str(), 0, KEY_READ, &source), ERROR_SUCCESS)
        << from;
    HKEY target = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, to.c_str(), &target), ERROR_SUCCESS) << to;
    if (target != nullptr) {
        EXPECT_EQ(RegCopyTreeA(source, nullptr, target), ERROR_SUCCESS) << from << " -> " << to;
        RegCloseKey(target);
    }
    RegCloseKey(source);
}

}  // namespace

BorrowedKey::BorrowedKey(std::string path) : path_(std::move(path))
{
    for (size_t end = path_.rfind('\\'); end != std::string::npos && end > 0;
         end = path_.rfind('\\', end - 1)) {
        const std::string parent = path_.substr(0, end);
        if (KeyExists(parent))
            break;
        createdParents_.push_back(parent);
    }
    if (KeyExists(path_)) {
        std::string flat = path_;
        std::replace(flat.begin(), flat.end(), '\\', '|');
        savedPath_ = std::string(kScratchRoot) + "\\borrowed\\" + flat;
        DeleteKeyTree(savedPath_);
        CopyTree(path_, savedPath_);
    }
    DeleteKeyTree(path_);
    EXPECT_FALSE(KeyExists(path_)) << path_;
}

BorrowedKey::~BorrowedKey()
{
    DeleteKeyTree(path_);
    if (!savedPath_.empty()) {
        CopyTree(savedPath_, path_);
        DeleteKeyTree(savedPath_);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kScratchRoot) + "\\borrowed").c_str());
    }
    // Fails harmlessly where another borrowed key still keeps a parent in use.
    for (const std::string& parent : createdParents_)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, parent.c_str());
}

}  // namespace netprep::test

// Owners for the handles the library opens: each closes its handle on every
// path out of a function, so no early return leaks a key, a stream or a
// loaded library.
#pragma once

#include <windows.h>

#include <cstdio>

namespace netprep {

template <typename T, void (*Close)(T)>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    T get() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }

    // For APIs that hand a new handle back through a pointer.
    T* put()
    {
        reset();
        return &value_;
    }

    T release()
    {
        T value = value_;
        value_ = nullptr;
        return value;
    }

    void reset(T value = nullptr)
    {
        if (value_ != nullptr)
            Close(value_);
        value_ = value;
    }

private:
    T value_ = nullptr;
};

inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void CloseStream(FILE* stream) { fclose(stream); }
inline void ReleaseLibrary(HMODULE module) { FreeLibrary(module); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }

using UniqueKey = UniqueResource<HKEY, CloseRegistryKey>;
using UniqueStream = UniqueResource<FILE*, CloseStream>;
using UniqueLibrary = UniqueResource<HMODULE, ReleaseLibrary>;
// CreateFile reports failure as INVALID_HANDLE_VALUE; store nullptr instead.
using UniqueHandle = UniqueResource<HANDLE, CloseKernelHandle>;

}  // namespace netprep

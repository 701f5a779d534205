// One owner for every Windows handle the front end creates: released exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace tavori::win32 {

// Owns a handle of type `Handle` and gives it to `Release` when it ends or is replaced.
template <typename Handle, typename Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle up to a new owner.
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Release{}(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// An event, waitable timer or thread, closed with CloseHandle.
using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

}  // namespace tavori::win32

// The delivery's file operations on POSIX, so the benchmark runs the real pipeline
// natively. Paths are ASCII here (a temporary folder).
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "qcapture/Delivery.h"

class PosixDeliveryFiles : public DeliveryFiles {
public:
    std::uint32_t CreateTempBeside(const std::wstring& target, std::wstring* tempPath, Handle* file) override {
        for (int n = 0; n < 100; ++n) {
            const std::wstring path = target + L".~kestrow" + std::to_wstring(n) + L".tmp";
            const int fd = open(Narrow(path).c_str(), O_CREAT | O_EXCL | O_RDWR, 0644);
            if (fd >= 0) {
                *tempPath = path;
                *file = fd;
                return 0;
            }
            if (errno != EEXIST) return static_cast<std::uint32_t>(errno);
        }
        return EEXIST;
    }
    std::uint32_t Write(Handle file, const void* data, std::size_t size) override {
        const auto* p = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = write(static_cast<int>(file), p, size);
            if (n <= 0) return n < 0 ? static_cast<std::uint32_t>(errno) : ENOSPC;
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }
    std::uint32_t OpenRead(const std::wstring& path, Handle* file, std::uint64_t* size) override {
        const int fd = open(Narrow(path).c_str(), O_RDONLY);
        if (fd < 0) return static_cast<std::uint32_t>(errno);
        struct stat st {};
        fstat(fd, &st);
        *file = fd;
        *size = static_cast<std::uint64_t>(st.st_size);
        return 0;
    }
    std::uint32_t ReadAt(Handle file, std::uint64_t offset, void* data, std::size_t size) override {
        const ssize_t n = pread(static_cast<int>(file), data, size, static_cast<off_t>(offset));
        if (n < 0) return static_cast<std::uint32_t>(errno);
        return static_cast<std::size_t>(n) == size ? 0 : EIO;
    }
    void Close(Handle file) override { close(static_cast<int>(file)); }
    std::uint32_t Replace(const std::wstring& from, const std::wstring& to) override {
        return std::rename(Narrow(from).c_str(), Narrow(to).c_str()) == 0 ? 0 : static_cast<std::uint32_t>(errno);
    }
    void Remove(const std::wstring& path) override { unlink(Narrow(path).c_str()); }
    std::wstring ErrorText(std::uint32_t code) override {
        const std::string text = std::strerror(static_cast<int>(code));
        return std::wstring(text.begin(), text.end());
    }

private:
    static std::string Narrow(const std::wstring& path) { return std::string(path.begin(), path.end()); }
};

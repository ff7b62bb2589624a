// The delivery's file operations on Windows: Unicode paths used exactly as given,
// exclusive access while a file is written, replacement by a move within the folder.
#pragma once

#include "Delivery.h"

class WindowsDeliveryFiles : public DeliveryFiles {
public:
    std::uint32_t CreateTempBeside(const std::wstring& target, std::wstring* tempPath, Handle* file) override;
    std::uint32_t Write(Handle file, const void* data, std::size_t size) override;
    std::uint32_t OpenRead(const std::wstring& path, Handle* file, std::uint64_t* size) override;
    std::uint32_t ReadAt(Handle file, std::uint64_t offset, void* data, std::size_t size) override;
    void Close(Handle file) override;
    std::uint32_t Replace(const std::wstring& from, const std::wstring& to) override;
    void Remove(const std::wstring& path) override;
    std::wstring ErrorText(std::uint32_t code) override;
};

// Writing a captured region to the chosen path as a JPEG file, in two passes as the
// program always has (a bitmap file first, read back and encoded), but never at the
// chosen path itself until the JPEG is complete: both passes go to temporary files in
// the chosen folder and the finished JPEG is moved over the chosen path at the end. On
// any failure the chosen path holds what it held before and no temporary file remains;
// the failure carries the message the user sees, naming the chosen path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The file operations the delivery needs, with the system's error codes (0 = success).
class DeliveryFiles {
public:
    using Handle = std::intptr_t;
    virtual ~DeliveryFiles() = default;

    // Creates a new, empty file in the target's folder under a name no file has, opened
    // for exclusive writing.
    virtual std::uint32_t CreateTempBeside(const std::wstring& target, std::wstring* tempPath, Handle* file) = 0;
    // Writes everything; a write that stops short (disk full) is an error.
    virtual std::uint32_t Write(Handle file, const void* data, std::size_t size) = 0;
    virtual std::uint32_t OpenRead(const std::wstring& path, Handle* file, std::uint64_t* size) = 0;
    virtual std::uint32_t ReadAt(Handle file, std::uint64_t offset, void* data, std::size_t size) = 0;
    virtual void Close(Handle file) = 0;
    // Moves a finished file over the target, replacing whatever is there.
    virtual std::uint32_t Replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void Remove(const std::wstring& path) = 0;
    // The system's text for an error code, trailing blanks and full stops removed.
    virtual std::wstring ErrorText(std::uint32_t code) = 0;
};

// The region at the screen's depth, as a bitmap file stores it.
struct RegionImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> colourTable;  // blue, green, red, 0 entries; 8 bits or fewer
    // Stored row r (r = 0 is the bottom row of the region), BmpRowBytes long.
    std::function<const std::uint8_t*(int storedRow)> row;
};

// Writes the region as a bitmap file beside the target; returns the bitmap's path.
std::wstring WriteBitmapFile(DeliveryFiles& files, const RegionImage& region, const std::wstring& target);

// Reads the bitmap file back, encodes it at the quality of the quality text (an
// integer, kept within 0..100) and puts the JPEG at the target. The bitmap file is
// removed on every path.
void SaveAsJpeg(DeliveryFiles& files, const std::wstring& bitmapPath, const std::wstring& target,
                const std::wstring& qualityText);

// The quality the encoder is given: the text's integer kept within 0..100 (300 and 150
// give 100, -1 gives 0, which the library encodes as 1); nothing when it is no integer.
std::optional<int> JpegQuality(const std::wstring& qualityText);

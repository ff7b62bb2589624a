// The region's way into a JPEG file; see Delivery.h.
#include "Delivery.h"

#include <algorithm>
#include <optional>

#include "common/Bmp.h"
#include "common/Failure.h"
#include "common/IntParse.h"
#include "common/JpegEncode.h"

namespace {

[[noreturn]] void FailCreate(DeliveryFiles& files, const std::wstring& target, std::uint32_t code) {
    throw Failure(L"Cannot create file \"" + target + L"\". " + files.ErrorText(code));
}

[[noreturn]] void FailOpen(DeliveryFiles& files, const std::wstring& target, std::uint32_t code) {
    throw Failure(L"Cannot open file \"" + target + L"\". " + files.ErrorText(code));
}

// A temporary file: closed and removed when it goes out of scope, unless kept.
class TempFile {
public:
    TempFile(DeliveryFiles& files, const std::wstring& target) : files_(files) {
        const std::uint32_t error = files.CreateTempBeside(target, &path_, &handle_);
        if (error) {
            handle_ = 0;
            path_.clear();
            FailCreate(files, target, error);
        }
    }
    ~TempFile() {
        CloseHandle();
        if (!kept_ && !path_.empty()) files_.Remove(path_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    DeliveryFiles::Handle Handle() const { return handle_; }
    const std::wstring& Path() const { return path_; }
    void CloseHandle() {
        if (handle_) files_.Close(handle_);
        handle_ = 0;
    }
    void Keep() { kept_ = true; }

private:
    DeliveryFiles& files_;
    std::wstring path_;
    DeliveryFiles::Handle handle_ = 0;
    bool kept_ = false;
};

class ReadHandle {
public:
    explicit ReadHandle(DeliveryFiles& files) : files_(files) {}
    ~ReadHandle() {
        if (handle) files_.Close(handle);
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    DeliveryFiles::Handle handle = 0;

private:
    DeliveryFiles& files_;
};

// Collects small writes into large ones.
class BufferedWriter {
public:
    BufferedWriter(DeliveryFiles& files, DeliveryFiles::Handle file) : files_(files), file_(file) {
        buffer_.reserve(kSize);
    }
    bool Put(const std::uint8_t* data, std::size_t size) {
        if (buffer_.size() + size > kSize && !Flush()) return false;
        if (size > kSize) return files_.Write(file_, data, size) == 0;
        buffer_.insert(buffer_.end(), data, data + size);
        return true;
    }
    bool Flush() {
        if (buffer_.empty()) return true;
        const bool ok = files_.Write(file_, buffer_.data(), buffer_.size()) == 0;
        buffer_.clear();
        return ok;
    }

private:
    static constexpr std::size_t kSize = 1 << 20;
    DeliveryFiles& files_;
    DeliveryFiles::Handle file_;
    std::vector<std::uint8_t> buffer_;
};

std::string Ascii(const std::wstring& text) {
    // Only ASCII can make an integer; anything else stays a character that is none.
    std::string s;
    s.reserve(text.size());
    for (wchar_t c : text) s += (c > 0 && c < 0x80) ? static_cast<char>(c) : '?';
    return s;
}

}  // namespace

std::optional<int> JpegQuality(const std::wstring& qualityText) {
    const std::optional<std::int32_t> value = ParseInteger(Ascii(qualityText));
    if (!value) return std::nullopt;
    return std::clamp<std::int32_t>(*value, 0, 100);
}

std::wstring WriteBitmapFile(DeliveryFiles& files, const RegionImage& region, const std::wstring& target) {
    TempFile bitmap(files, target);
    BufferedWriter out(files, bitmap.Handle());
    const std::vector<std::uint8_t> headers =
        BmpHeaders(region.width, region.height, region.bitsPerPixel, region.colourTable);
    bool ok = out.Put(headers.data(), headers.size());
    const std::size_t rowBytes = BmpRowBytes(region.width, region.bitsPerPixel);
    for (int r = 0; ok && r < region.height; ++r) ok = out.Put(region.row(r), rowBytes);
    if (!ok || !out.Flush()) throw Failure(L"Stream write error");
    bitmap.CloseHandle();
    bitmap.Keep();
    return bitmap.Path();
}

void SaveAsJpeg(DeliveryFiles& files, const std::wstring& bitmapPath, const std::wstring& target,
                const std::wstring& qualityText) {
    struct RemoveBitmap {
        DeliveryFiles& files;
        const std::wstring& path;
        ~RemoveBitmap() { files.Remove(path); }
    } removeBitmap{files, bitmapPath};

    JpegEncodeResult jpeg;
    {
        ReadHandle in(files);
        std::uint64_t size = 0;
        if (const std::uint32_t error = files.OpenRead(bitmapPath, &in.handle, &size)) {
            in.handle = 0;
            FailOpen(files, target, error);
        }
        std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::uint64_t>(size, kBmpHeadersMaxSize)));
        if (const std::uint32_t error = files.ReadAt(in.handle, 0, head.data(), head.size()))
            FailOpen(files, target, error);
        const std::optional<BmpLayout> layout = ParseBmpHeaders(head.data(), head.size(), size);
        if (!layout) throw Failure(L"Bitmap image is not valid");

        const std::optional<int> quality = JpegQuality(qualityText);
        if (!quality) throw Failure(L"'" + qualityText + L"' is not a valid integer value");

        // Rows are read back in blocks of about a megabyte: the encoder wants them from
        // the top, the file stores them from the bottom, so each block is one read.
        const int rows = layout->height;
        const int blockRows = static_cast<int>(std::clamp<std::size_t>((1u << 20) / layout->rowBytes, 1, rows));
        std::vector<std::uint8_t> block(static_cast<std::size_t>(blockRows) * layout->rowBytes);
        int blockFirst = -1;  // the first stored row held in the block
        std::uint32_t readError = 0;
        jpeg = EncodeJpeg(layout->width, rows, *quality, [&](int y, std::uint8_t* rgb) {
            const int stored = layout->topDown ? y : rows - 1 - y;
            if (blockFirst < 0 || stored < blockFirst || stored >= blockFirst + blockRows) {
                blockFirst = layout->topDown ? stored : std::max(0, stored - blockRows + 1);
                const int count = std::min(blockRows, rows - blockFirst);
                const std::uint64_t offset =
                    layout->pixelOffset + static_cast<std::uint64_t>(blockFirst) * layout->rowBytes;
                readError = files.ReadAt(in.handle, offset, block.data(), static_cast<std::size_t>(count) * layout->rowBytes);
                if (readError) return false;
            }
            BmpRowToRgb(*layout, block.data() + static_cast<std::size_t>(stored - blockFirst) * layout->rowBytes, rgb);
            return true;
        });
        if (jpeg.errorCode == kRowSourceFailed) FailOpen(files, target, readError);
        if (jpeg.errorCode) throw Failure(L"JPEG error #" + std::to_wstring(jpeg.errorCode));
    }

    TempFile out(files, target);
    if (!jpeg.bytes.empty() && files.Write(out.Handle(), jpeg.bytes.data(), jpeg.bytes.size()))
        throw Failure(L"Stream write error");
    out.CloseHandle();
    if (const std::uint32_t error = files.Replace(out.Path(), target)) FailCreate(files, target, error);
    out.Keep();  // it is the target now
}

// The region's way into a JPEG file, over files in memory that fail on demand: the
// finished file appears at the chosen path only when everything worked; any failure
// reports its message, names the chosen path, leaves the old file byte for byte and
// leaves no temporary file behind.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/Bmp.h"
#include "common/Failure.h"
#include "qcapture/Delivery.h"

namespace {

constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kSharingViolation = 32;

class MemoryFiles : public DeliveryFiles {
public:
    std::map<std::wstring, std::vector<std::uint8_t>> files;
    std::uint32_t createError = 0;      // fail creating the nth temporary file (see createFailsAt)
    int createFailsAt = -1;
    std::size_t spaceLeft = SIZE_MAX;   // bytes that fit before the disk is full
    std::uint32_t replaceError = 0;
    std::uint32_t readError = 0;
    bool corruptBitmap = false;
    int creates = 0;

    std::uint32_t CreateTempBeside(const std::wstring& target, std::wstring* tempPath, Handle* file) override {
        if (creates++ == createFailsAt) return createError;
        *tempPath = target + L".tmp" + std::to_wstring(creates);
        files[*tempPath] = {};
        open_[++next_] = *tempPath;
        *file = next_;
        return 0;
    }
    std::uint32_t Write(Handle file, const void* data, std::size_t size) override {
        auto& bytes = files[open_.at(file)];
        const std::size_t fits = std::min(size, spaceLeft);
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + fits);
        spaceLeft -= fits;
        if (corruptBitmap && bytes.size() >= 2 && bytes[0] == 'B') bytes[1] = 'X';
        return fits == size ? 0 : kDiskFull;
    }
    std::uint32_t OpenRead(const std::wstring& path, Handle* file, std::uint64_t* size) override {
        if (readError) return readError;
        open_[++next_] = path;
        *file = next_;
        *size = files.at(path).size();
        return 0;
    }
    std::uint32_t ReadAt(Handle file, std::uint64_t offset, void* data, std::size_t size) override {
        const auto& bytes = files.at(open_.at(file));
        if (offset + size > bytes.size()) return 38;  // end of file
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, static_cast<std::uint8_t*>(data));
        return 0;
    }
    void Close(Handle file) override { open_.erase(file); }
    std::uint32_t Replace(const std::wstring& from, const std::wstring& to) override {
        if (replaceError) return replaceError;
        files[to] = files.at(from);
        files.erase(from);
        return 0;
    }
    void Remove(const std::wstring& path) override { files.erase(path); }
    std::wstring ErrorText(std::uint32_t code) override { return L"error " + std::to_wstring(code); }

    std::size_t OpenHandles() const { return open_.size(); }

private:
    std::map<Handle, std::wstring> open_;
    Handle next_ = 0;
};

const std::wstring kTarget = L"C:\\shots\\a.jpg";
const std::vector<std::uint8_t> kOldBytes = {'o', 'l', 'd'};

// A 5 x 3 region at 32 bits, pure red.
struct Region {
    std::vector<std::uint8_t> rows = std::vector<std::uint8_t>(5 * 3 * 4);
    RegionImage image;
    Region() {
        for (std::size_t i = 0; i < rows.size(); i += 4) rows[i + 2] = 0xFF;  // blue, green, red, x
        image.width = 5;
        image.height = 3;
        image.bitsPerPixel = 32;
        image.row = [this](int r) { return rows.data() + r * 20; };
    }
};

std::wstring Deliver(MemoryFiles& files, const std::wstring& quality = L"90") {
    Region region;
    try {
        const std::wstring bitmap = WriteBitmapFile(files, region.image, kTarget);
        SaveAsJpeg(files, bitmap, kTarget, quality);
    } catch (const Failure& f) {
        return f.Message();
    }
    return L"";
}

TEST(Delivery, WritesTheJpegAtTheChosenPathAndNothingElse) {
    MemoryFiles files;
    files.files[kTarget] = kOldBytes;  // replaced without a question
    EXPECT_EQ(Deliver(files), L"");
    ASSERT_EQ(files.files.size(), 1u);
    const auto& jpeg = files.files.at(kTarget);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    EXPECT_EQ(files.OpenHandles(), 0u);
}

TEST(Delivery, EveryFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        void (*inject)(MemoryFiles&);
        const wchar_t* quality;
        std::wstring message;
    };
    const Case cases[] = {
        {"folder missing", [](MemoryFiles& f) { f.createFailsAt = 0, f.createError = kPathNotFound; }, L"90",
         L"Cannot create file \"" + kTarget + L"\". error 3"},
        {"disk full in the bitmap", [](MemoryFiles& f) { f.spaceLeft = 40; }, L"90", L"Stream write error"},
        {"bitmap unreadable", [](MemoryFiles& f) { f.readError = kSharingViolation; }, L"90",
         L"Cannot open file \"" + kTarget + L"\". error 32"},
        {"bitmap damaged", [](MemoryFiles& f) { f.corruptBitmap = true; }, L"90", L"Bitmap image is not valid"},
        {"quality with a blank", [](MemoryFiles&) {}, L"50 ", L"'50 ' is not a valid integer value"},
        {"quality empty", [](MemoryFiles&) {}, L"", L"'' is not a valid integer value"},
        {"JPEG file cannot be created", [](MemoryFiles& f) { f.createFailsAt = 1, f.createError = kAccessDenied; },
         L"90", L"Cannot create file \"" + kTarget + L"\". error 5"},
        {"target held or read-only", [](MemoryFiles& f) { f.replaceError = kAccessDenied; }, L"90",
         L"Cannot create file \"" + kTarget + L"\". error 5"},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files[kTarget] = kOldBytes;
        c.inject(files);
        EXPECT_EQ(Deliver(files, c.quality), c.message) << c.what;
        EXPECT_EQ(files.files.size(), 1u) << c.what << ": a temporary file was left";
        EXPECT_EQ(files.files[kTarget], kOldBytes) << c.what;
        EXPECT_EQ(files.OpenHandles(), 0u) << c.what;
    }
}

TEST(Delivery, DiskFullWhileWritingTheJpegIsReportedToo) {
    MemoryFiles files;
    files.files[kTarget] = kOldBytes;
    // Room for the bitmap (54 + 60 bytes) and a little of the JPEG.
    files.spaceLeft = 54 + 60 + 100;
    EXPECT_EQ(Deliver(files), L"Stream write error");
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files[kTarget], kOldBytes);
}

TEST(Delivery, QualityIsTheTextsIntegerKeptWithin0To100) {
    struct {
        const wchar_t* text;
        std::optional<int> quality;
    } cases[] = {
        {L"0", 0},    {L"1", 1},      {L"50", 50},    {L"100", 100},        {L"150", 100},  {L"300", 100},
        {L"-1", 0},   {L"$32", 50},   {L"  7", 7},    {L"50 ", std::nullopt}, {L"", std::nullopt},
        {L"abc", std::nullopt},       {L"\uff15\uff10", std::nullopt},  // full-width digits
    };
    for (const auto& c : cases) EXPECT_EQ(JpegQuality(c.text), c.quality);
}

}  // namespace

// What the capture delivery's JPEG encoding costs: for screen-like pictures at two screen
// sizes and two qualities, the median time of EncodeJpeg against the median time of a whole
// run of the system's cjpeg (libjpeg-turbo's own tool, same settings, reading a PPM), with
// the target ours/cjpeg <= 1.1. Also says whether both produce the same bytes.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/PosixDeliveryFiles.h"
#include "common/JpegEncode.h"
#include "qcapture/Delivery.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kCjpeg = "/usr/bin/cjpeg";
constexpr double kTarget = 1.1;

struct Screen {
    int width, height;
    std::vector<std::uint8_t> rgb;

    void Fill(int left, int top, int right, int bottom, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        left = std::max(left, 0), top = std::max(top, 0);
        right = std::min(right, width), bottom = std::min(bottom, height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
                p[0] = r, p[1] = g, p[2] = b;
            }
    }
};

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
    std::uint32_t h = x * 0x9E3779B1u ^ y * 0x85EBCA77u ^ salt * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    return h ^ h >> 12;
}

// Lines of "words": small blocks of dark glyph-like noise on the window's background, the
// hardest part of a screen for a JPEG encoder.
void Text(Screen& s, int left, int top, int right, int bottom, std::uint32_t salt) {
    for (int line = top; line + 10 < bottom; line += 16) {
        int x = left;
        for (std::uint32_t word = 0; x < right; ++word) {
            const int length = 12 + static_cast<int>(Hash(word, static_cast<std::uint32_t>(line), salt) % 60);
            for (int y = line; y < line + 10; ++y)
                for (int i = x; i < std::min(x + length, right); ++i)
                    if (Hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(y), salt) % 3 == 0)
                        s.Fill(i, y, i + 1, y + 1, 20, 20, 30);
            x += length + 6;
        }
    }
}

void Window(Screen& s, int left, int top, int right, int bottom, std::uint32_t salt, bool picture) {
    s.Fill(left - 1, top - 1, right + 1, bottom + 1, 110, 110, 120);  // border
    // The title bar: a horizontal gradient.
    for (int y = top; y < top + 30; ++y)
        for (int x = left; x < right; ++x) {
            const int t = (x - left) * 255 / std::max(1, right - left);
            s.Fill(x, y, x + 1, y + 1, static_cast<std::uint8_t>(30 + t / 4),
                   static_cast<std::uint8_t>(80 + t / 3), 200);
        }
    Text(s, left + 8, top + 10, left + 200, top + 22, salt + 1);
    s.Fill(left, top + 30, right, bottom, 250, 250, 250);
    if (picture) {  // a photo-like area: smooth two-way gradient
        const int pl = left + (right - left) / 2, pt = top + 40;
        for (int y = pt; y < bottom - 10; ++y)
            for (int x = pl; x < right - 10; ++x)
                s.Fill(x, y, x + 1, y + 1, static_cast<std::uint8_t>(x * 7 / 13),
                       static_cast<std::uint8_t>(y * 5 / 11), static_cast<std::uint8_t>((x + y) / 9));
        Text(s, left + 12, top + 44, pl - 12, bottom - 10, salt);
    } else {
        Text(s, left + 12, top + 44, right - 12, bottom - 10, salt);
    }
}

// Deterministic: a gradient desktop, overlapping windows with title bars, text and a
// picture, and a taskbar with icons, laid out in proportion to the screen.
Screen ScreenLike(int width, int height) {
    Screen s{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        s.Fill(0, y, width, y + 1, static_cast<std::uint8_t>(20 + y * 40 / height),
               static_cast<std::uint8_t>(90 + y * 60 / height),
               static_cast<std::uint8_t>(140 - y * 50 / height));
    const auto X = [&](int per100) { return width * per100 / 100; };
    const auto Y = [&](int per100) { return height * per100 / 100; };
    Window(s, X(5), Y(6), X(55), Y(70), 1, false);
    Window(s, X(35), Y(20), X(95), Y(88), 2, true);
    Window(s, X(60), Y(3), X(90), Y(30), 3, false);
    s.Fill(0, height - 40, width, height, 40, 40, 48);  // taskbar
    for (int i = 0; i < 12; ++i)
        s.Fill(10 + i * 48, height - 34, 38 + i * 48, height - 6, static_cast<std::uint8_t>(Hash(i, 0, 9)),
               static_cast<std::uint8_t>(Hash(i, 1, 9)), static_cast<std::uint8_t>(Hash(i, 2, 9)));
    return s;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

JpegEncodeResult EncodeScreen(const Screen& s, int quality) {
    const std::size_t row = static_cast<std::size_t>(s.width) * 3;
    return EncodeJpeg(s.width, s.height, quality, [&](int y, std::uint8_t* rgb) {
        std::memcpy(rgb, &s.rgb[row * static_cast<std::size_t>(y)], row);
        return true;
    });
}

double EncodeMs(const Screen& s, int quality, int runs) {
    std::vector<double> times;
    EncodeScreen(s, quality);  // warm-up
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const JpegEncodeResult r = EncodeScreen(s, quality);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (r.errorCode != 0) return -1;
    }
    return Median(times);
}

// One whole cjpeg process, as a user would run it; false when it did not exit with 0.
bool RunCjpeg(int quality, const std::string& ppm, const std::string& out) {
    const std::string q = std::to_string(quality);
    std::vector<std::string> args = {kCjpeg,      "-quality", q,   "-dct", "float",
                                     "-baseline", "-outfile", out, ppm};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, kCjpeg, nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double CjpegMs(int quality, const std::string& ppm, int runs) {
    std::vector<double> times;
    if (!RunCjpeg(quality, ppm, "/dev/null")) return -1;  // warm-up, and is it there at all
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!RunCjpeg(quality, ppm, "/dev/null")) return -1;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

bool WritePpm(const Screen& s, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << s.width << ' ' << s.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(s.rgb.data()), static_cast<std::streamsize>(s.rgb.size()));
    return static_cast<bool>(out);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---- The whole delivery: timed here --------------------------------------------------
// The delivery pipeline (bitmap file written, read back, encoded, JPEG written over it)
// is timed here, with its peak memory. Not measured yet: -1 prints as "-".
// The region as the capture window holds it: 32-bit rows of blue, green, red, 0.
std::vector<std::uint8_t> RegionBgrx(const Screen& screen) {
    std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(screen.width) * screen.height * 4);
    for (std::size_t i = 0, n = static_cast<std::size_t>(screen.width) * screen.height; i < n; ++i) {
        bgrx[i * 4 + 0] = screen.rgb[i * 3 + 2];
        bgrx[i * 4 + 1] = screen.rgb[i * 3 + 1];
        bgrx[i * 4 + 2] = screen.rgb[i * 3 + 0];
    }
    return bgrx;
}

// The whole delivery once: bitmap file beside the target, read back, encoded, JPEG
// written beside it and moved over the target.
void Deliver(const std::vector<std::uint8_t>& bgrx, int width, int height, int quality, const std::wstring& target) {
    PosixDeliveryFiles files;
    RegionImage region;
    region.width = width;
    region.height = height;
    region.bitsPerPixel = 32;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    region.row = [&](int stored) { return bgrx.data() + (height - 1 - stored) * rowBytes; };
    const std::wstring bitmap = WriteBitmapFile(files, region, target);
    SaveAsJpeg(files, bitmap, target, std::to_wstring(quality));
}

double WholeDeliveryNs(const Screen& screen, int quality, const std::wstring& target) {
    const std::vector<std::uint8_t> bgrx = RegionBgrx(screen);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        Deliver(bgrx, screen.width, screen.height, quality, target);
        times.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    return Median(times);
}

long StatusKb(const char* field) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    long kb = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, n) == 0) kb = std::atol(line + n + 1);
    std::fclose(f);
    return kb;
}

// Peak memory of one capture, as a multiple of one screen bitmap (width x height x 4):
// measured in a child process that first hands its free heap back to the system and
// resets its high-water mark, then makes the region bitmap and delivers it.
double PeakMemoryRatio(const Screen& screen, int quality, const std::wstring& target) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        malloc_trim(0);
        if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", reset);  // high-water mark := current size
            std::fclose(reset);
        }
        const long before = StatusKb("VmRSS:");
        std::vector<std::uint8_t> bgrx = RegionBgrx(screen);
        Deliver(bgrx, screen.width, screen.height, quality, target);
        const long peak = StatusKb("VmHWM:");
        const double bitmap = static_cast<double>(screen.width) * screen.height * 4 / 1024.0;
        const double ratio = (peak - before) / bitmap;
        [[maybe_unused]] auto written = write(pipeFds[1], &ratio, sizeof ratio);
        _exit(0);
    }
    close(pipeFds[1]);
    double ratio = -1;
    if (read(pipeFds[0], &ratio, sizeof ratio) != sizeof ratio) ratio = -1;
    close(pipeFds[0]);
    waitpid(child, nullptr, 0);
    return ratio;
}
// ---------------------------------------------------------------------------------------

}  // namespace

int main() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string stem = (dir / ("kestrow-bench-" + std::to_string(getpid()))).string();
    const std::string ppm = stem + ".ppm", cjpegOut = stem + ".jpg";

    const std::wstring target = std::filesystem::path(stem + "-delivered.jpg").wstring();
    std::printf("%-10s %4s %10s %10s %8s %8s %10s %10s %12s %9s %9s\n", "screen", "q", "ours", "cjpeg", "ratio",
                "vs 1.1", "bytes", "same bytes", "delivery", "/encode", "peak mem");
    for (auto [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const Screen screen = ScreenLike(width, height);
        if (!WritePpm(screen, ppm)) {
            std::printf("cannot write %s\n", ppm.c_str());
            return 1;
        }
        const int runs = width < 3840 ? 15 : 7;
        for (int quality : {90, 50}) {
            const double ours = EncodeMs(screen, quality, runs);
            const double theirs = CjpegMs(quality, ppm, runs);
            const JpegEncodeResult r = EncodeScreen(screen, quality);
            const bool same = RunCjpeg(quality, ppm, cjpegOut) && ReadFile(cjpegOut) == r.bytes;
            const double delivery = WholeDeliveryNs(screen, quality, target);
            const double peak = PeakMemoryRatio(screen, quality, target);
            char ratio[32] = "-", verdict[32] = "no cjpeg", deliveryText[32] = "-";
            if (theirs > 0 && ours > 0) {
                std::snprintf(ratio, sizeof ratio, "%.2f", ours / theirs);
                std::snprintf(verdict, sizeof verdict, "%s", ours / theirs <= kTarget ? "met" : "NOT MET");
            }
            if (delivery >= 0) std::snprintf(deliveryText, sizeof deliveryText, "%.1f ms", delivery / 1e6);
            std::printf("%4dx%-5d %4d %7.1f ms %7.1f ms %8s %8s %10zu %10s %12s %8.2fx %8.2fx\n", width, height,
                        quality, ours, theirs, ratio, verdict, r.bytes.size(), same ? "yes" : "no", deliveryText,
                        delivery / 1e6 / ours, peak);
        }
    }
    std::printf("targets: ours/cjpeg <= %.1f (cjpeg timed as a whole process: start, PPM read, encode);\n"
                "         whole delivery (bitmap write, read back, encode, write, move) <= 2.5x encode;\n"
                "         peak memory of a capture <= 2.2 screen bitmaps (width x height x 4)\n",
                kTarget);
    std::filesystem::remove(target);
    std::filesystem::remove(ppm);
    std::filesystem::remove(cjpegOut);
    return 0;
}

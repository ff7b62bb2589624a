// GBK to UTF-8 through glibc's iconv.
#include <iconv.h>

#include <stdexcept>

#include "Gbk.h"

std::string GbkToUtf8(std::string_view gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert GBK");
    std::string in(gbk);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not valid GBK");
    out.resize(out.size() - outLeft);
    return out;
}

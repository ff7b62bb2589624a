// GBK to UTF-8 for the tests, through an independent converter on each platform (glibc's
// iconv natively, the system's code page 936 tables on Windows).
#pragma once

#include <string>
#include <string_view>

std::string GbkToUtf8(std::string_view gbk);

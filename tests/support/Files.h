// The names of the files in a folder, sorted, for tests that check nothing else was left.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> FilesIn(const std::wstring& folder);

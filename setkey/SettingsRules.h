// The settings window's rules that need no window: the quality check behind the save
// and capture buttons, the homepage address stored with a filler token, and the date
// gate that shortens the window on old dates.
#pragma once

#include <string>
#include <string_view>

enum class QualityCheck { kOk, kEmpty, kNotInteger, kOutOfRange };

// Empty, not an integer (by the integer rule), below 0 or above 100, or fine. The text
// itself is never changed: "  50", "+50", "$32" pass as they stand.
QualityCheck CheckQuality(std::string_view text);
// The Information box text for a failed check (GBK).
const char* QualityMessage(QualityCheck check);

// The homepage address as stored: the address with a five-character filler token set
// among its characters, so the address never appears whole in the program.
inline constexpr char kStoredHomepage[] = "ht#q~Z!tp://www.k#q~Z!estrow.exa#q~Z!mple/";
inline constexpr char kHomepageFiller[] = "#q~Z!";
// Deletes the first occurrence of the token again and again, each time searching from
// the start, until none is left.
std::string CleanAddress(std::string_view stored, std::string_view token);

// The day number of a calendar date, day 0 being 1899-12-30.
int DaySerial(int year, int month, int day);
// Whether the window opens shortened on that local date: on 2018-04-22 (day 43212)
// and before.
bool ShortenedOn(int year, int month, int day);

// The failure that event handlers let escape to the application's default exception
// report, carrying the exact message the user sees (UTF-16 on Windows). Handlers that
// cannot go on throw it; the window procedures catch it and hand it to the report.
#pragma once

#include <exception>
#include <string>
#include <utility>

class Failure : public std::exception {
public:
    explicit Failure(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return "kestrow failure"; }

private:
    std::wstring message_;
};

// The text of the default exception report: the message with a full stop appended when
// its last character sorts after "." (so "!" and ")" stay as they are).
std::wstring ReportText(std::wstring message);

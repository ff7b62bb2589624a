// Shaping of the default exception report's text; see Failure.h.
#include "Failure.h"

std::wstring ReportText(std::wstring message) {
    if (!message.empty() && message.back() > L'.') message += L'.';
    return message;
}

#include "platform/format_number.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::string Printf_Fixed(double value, int decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Digits before the point of |value| as printed without decimals (at least 1).
int Integer_Digits(double value) {
    const std::string text = Printf_Fixed(std::fabs(value), 0);
    int digits = 0;
    for (char c : text)
        if (c >= '0' && c <= '9') ++digits;
    return std::max(digits, 1);
}

}  // namespace

std::string Format_Number_Text(double value, int width, int decimals, int significant, int options) {
    decimals = std::clamp(decimals, 0, 15);
    width = std::clamp(width, 0, 1000);

    if (std::isfinite(value) && (options & FORMAT_NUMBER_SIGNIFICANT) && significant > 0) {
        const int room = significant - Integer_Digits(value);
        decimals = std::clamp(room, 0, decimals);
    }

    std::string text = Printf_Fixed(value, decimals);

    if ((options & FORMAT_NUMBER_TRIM_ZEROS) && text.find('.') != std::string::npos &&
        std::isfinite(value)) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }

    // A value that shows only zeros carries no sign.
    if (!text.empty() && text[0] == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);

    if (!(options & FORMAT_NUMBER_NO_PAD) && static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

int formatNumber(char* buffer, int size, double value, int width, int decimals, int significant,
                 int options) {
    if (buffer == nullptr || size < 1) return -1;
    const std::string text = Format_Number_Text(value, width, decimals, significant, options);
    if (text.size() >= static_cast<size_t>(size)) {
        buffer[0] = '\0';
        return -1;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

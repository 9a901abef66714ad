#include "base/number_words.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace {

constexpr const char* kError = "-Fehler-";

// Code page 850: 0x81 = ü, 0x94 = ö.
const char* const kBelow20[20] = {
    nullptr,      "ein",       "zwei",           "drei",        "vier",
    "f\x81nf",    "sechs",     "sieben",         "acht",        "neun",
    "zehn",       "elf",       "zw\x94lf",       "dreizehn",    "vierzehn",
    "f\x81nfzehn", "sechszehn", "siebzehn",      "achtzehn",    "neunzehn",
};

const char* const kTens[10] = {
    nullptr,   nullptr,  "zwanzig", "dreissig", "vierzig",
    "f\x81nfzig", "sechzig", "siebzig", "achtzig",  "neunzig",
};

const char* const kCountWords[10] = {
    "keiner", "einer", "zwei", "drei", "vier", "f\x81nf", "sechs", "sieben", "acht", "neun",
};

// Each level keeps its own buffer; the lower level's result is copied into it before
// the lower level is called again.
const char* Keep(std::string& buffer, std::string text) {
    buffer = std::move(text);
    return buffer.c_str();
}

}  // namespace

const char* Get_Number_Word_Below_20(int n, int final) {
    static std::string buffer;
    if (n == 1) return Keep(buffer, final ? "eins" : "ein");
    if (n > 1 && n < 20) return Keep(buffer, kBelow20[n]);
    return Keep(buffer, kError);
}

const char* Get_Tens_Word(int n) {
    static std::string buffer;
    const int tens = n / 10;
    if (tens >= 2 && tens <= 9) return Keep(buffer, kTens[tens]);
    return Keep(buffer, kError);
}

const char* Get_Number_Word_Below_100(int n, int final) {
    static std::string buffer;
    if (n < 20) return Keep(buffer, Get_Number_Word_Below_20(n, final));
    if (n % 10 == 0) return Keep(buffer, Get_Tens_Word(n));
    std::string text = Get_Number_Word_Below_20(n % 10, 0);
    text += "und";
    text += Get_Tens_Word(n);
    return Keep(buffer, std::move(text));
}

const char* Get_Number_Word_Below_1000(int n, int final) {
    static std::string buffer;
    if (n < 100) return Keep(buffer, Get_Number_Word_Below_100(n, final));
    std::string text = Get_Number_Word_Below_20(n / 100, 0);
    text += "hundert";
    if (n % 100 != 0) text += Get_Number_Word_Below_100(n % 100, 1);
    return Keep(buffer, std::move(text));
}

const char* Get_Number_Words_Below_Million(unsigned n) {
    static std::string buffer;
    if (n < 1000) return Keep(buffer, Get_Number_Word_Below_1000(static_cast<int>(n), 1));
    std::string text = Get_Number_Word_Below_1000(static_cast<int>(n / 1000), 0);
    text += "tausend";
    if (n % 1000 != 0) text += Get_Number_Word_Below_1000(static_cast<int>(n % 1000), 1);
    return Keep(buffer, std::move(text));
}

const char* Get_Number_Words_Below_Milliard(unsigned n) {
    static std::string buffer;
    const unsigned millions = n / 1000000;
    if (millions == 0) return Keep(buffer, Get_Number_Words_Below_Million(n));
    std::string text;
    if (millions == 1) {
        text = "einemillion";
    } else {
        text = Get_Number_Word_Below_1000(static_cast<int>(millions), 0);
        text += "millionen";
    }
    if (n % 1000000 != 0) text += Get_Number_Words_Below_Million(n % 1000000);
    return Keep(buffer, std::move(text));
}

const char* Get_Number_Words_Full(unsigned n) {
    static std::string buffer;
    const unsigned milliards = n / 1000000000;
    if (milliards == 0) return Keep(buffer, Get_Number_Words_Below_Milliard(n));
    std::string text;
    if (milliards == 1) {
        text = "einemilliarde";
    } else {
        text = Get_Number_Word_Below_100(static_cast<int>(milliards), 0);
        text += "milliarden";
    }
    if (n % 1000000000 != 0) text += Get_Number_Words_Below_Milliard(n % 1000000000);
    return Keep(buffer, std::move(text));
}

const char* Number_To_Words(unsigned n) {
    static std::string buffer;
    if (n == 0) return Keep(buffer, "Null");
    if (n >= 4294967286u) return Keep(buffer, "Zahl zu gross");
    std::string text = Get_Number_Words_Full(n);
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return Keep(buffer, std::move(text));
}

const char* Get_Count_Word(int n) {
    static std::string buffer;
    if (n >= 0 && n <= 9) return Keep(buffer, kCountWords[n]);
    return Keep(buffer, std::to_string(n));
}

const char* Format_Int_List(int n, const int values[]) {
    static std::string buffer;
    buffer.clear();
    if (n < 1 || values == nullptr) return buffer.c_str();
    for (int i = 0; i < n;) {
        // A run rising by 1; the last value of the list always stands on its own.
        int j = i;
        while (j + 1 < n - 1 && static_cast<long long>(values[j + 1]) == static_cast<long long>(values[j]) + 1) {
            ++j;
        }
        buffer += std::to_string(values[i]);
        if (j > i) {
            buffer += " bis ";
            buffer += std::to_string(values[j]);
        }
        buffer += ", ";
        i = j + 1;
    }
    buffer.resize(buffer.size() - 2);
    const size_t last_comma = buffer.rfind(',');
    if (last_comma != std::string::npos) buffer.replace(last_comma, 1, " und");
    return buffer.c_str();
}

#include "code_page.h"

#include <array>

namespace strikon::rtf {

namespace {

// Windows-1251 (Cyrillic), bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

// Windows-1252 (Western), bytes 0x80..0x9F; 0xA0..0xFF equal Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 0x88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 0x98
};

char16_t decode1251(unsigned char byte) {
    if (byte >= 0xC0) {
        return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    }
    return kCp1251High[byte - 0x80];
}

char16_t decode1252(unsigned char byte) {
    if (byte >= 0xA0) {
        return byte;
    }
    return kCp1252High[byte - 0x80];
}

}  // namespace

int codePageForCharset(int charset, int documentCodePage) {
    // Windows character-set numbers (wingdi.h) and the ANSI code pages they stand for.
    switch (charset) {
        case 0:
            return 1252;  // ANSI_CHARSET
        case 204:
            return 1251;  // RUSSIAN_CHARSET
        case 238:
            return 1250;  // EASTEUROPE_CHARSET
        case 161:
            return 1253;  // GREEK_CHARSET
        case 162:
            return 1254;  // TURKISH_CHARSET
        case 177:
            return 1255;  // HEBREW_CHARSET
        case 178:
            return 1256;  // ARABIC_CHARSET
        case 186:
            return 1257;  // BALTIC_CHARSET
        default:
            return documentCodePage;
    }
}

char16_t decodeByte(int codePage, unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    return codePage == 1251 ? decode1251(byte) : decode1252(byte);
}

}  // namespace strikon::rtf

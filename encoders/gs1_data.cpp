#include "gs1_data.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace strikon {

namespace {

enum class DateRule {
    None,
    DayZeroAllowed,  // YYMMDD where DD 00 means "the end of the month" (AIs 11 to 17)
    Strict,          // YYMMDD, a real day
};

// One AI's format from the AI table of the GS1 General Specifications: `fixed` digits first
// (the last of them a check digit when `check`, the first six a date per `date`), then from
// `varMin` to `varMax` characters, digits only when `varDigits`, else GS1's character set 82.
struct AiFormat {
    const char* ai;
    int fixed;
    bool check;
    DateRule date;
    int varMin;
    int varMax;
    bool varDigits;
};

constexpr DateRule kNoDate = DateRule::None;
constexpr DateRule kDate = DateRule::DayZeroAllowed;

// The identification keys and the attributes a trade item, a logistic unit or a location
// carries. Measures (31nn to 36nn, 390n to 393n) are matched on their first three digits below.
constexpr std::array<AiFormat, 59> kAis{{
    {"00", 18, true, kNoDate, 0, 0, true},    // SSCC
    {"01", 14, true, kNoDate, 0, 0, true},    // GTIN
    {"02", 14, true, kNoDate, 0, 0, true},    // GTIN of contained trade items
    {"10", 0, false, kNoDate, 1, 20, false},  // batch or lot
    {"11", 6, false, kDate, 0, 0, true},      // production date
    {"12", 6, false, kDate, 0, 0, true},      // due date
    {"13", 6, false, kDate, 0, 0, true},      // packaging date
    {"15", 6, false, kDate, 0, 0, true},      // best before
    {"16", 6, false, kDate, 0, 0, true},      // sell by
    {"17", 6, false, kDate, 0, 0, true},      // expiry
    {"20", 2, false, kNoDate, 0, 0, true},    // internal product variant
    {"21", 0, false, kNoDate, 1, 20, false},  // serial number
    {"22", 0, false, kNoDate, 1, 20, false},  // consumer product variant
    {"240", 0, false, kNoDate, 1, 30, false},
    {"241", 0, false, kNoDate, 1, 30, false},
    {"242", 0, false, kNoDate, 1, 6, true},
    {"243", 0, false, kNoDate, 1, 20, false},
    {"250", 0, false, kNoDate, 1, 30, false},
    {"251", 0, false, kNoDate, 1, 30, false},
    {"253", 13, true, kNoDate, 0, 17, false},  // GDTI
    {"254", 0, false, kNoDate, 1, 20, false},  // GLN extension
    {"255", 13, true, kNoDate, 0, 12, true},   // GCN
    {"30", 0, false, kNoDate, 1, 8, true},     // count of items
    {"37", 0, false, kNoDate, 1, 8, true},     // count of trade items contained
    {"400", 0, false, kNoDate, 1, 30, false},  // customer's purchase order
    {"401", 0, false, kNoDate, 1, 30, false},  // GINC
    {"402", 17, true, kNoDate, 0, 0, true},    // GSIN
    {"403", 0, false, kNoDate, 1, 30, false},  // routing code
    {"410", 13, true, kNoDate, 0, 0, true},    // ship to GLN
    {"411", 13, true, kNoDate, 0, 0, true},
    {"412", 13, true, kNoDate, 0, 0, true},
    {"413", 13, true, kNoDate, 0, 0, true},
    {"414", 13, true, kNoDate, 0, 0, true},  // GLN of a physical location
    {"415", 13, true, kNoDate, 0, 0, true},
    {"416", 13, true, kNoDate, 0, 0, true},
    {"417", 13, true, kNoDate, 0, 0, true},
    {"420", 0, false, kNoDate, 1, 20, false},  // ship to postal code
    {"421", 3, false, kNoDate, 1, 9, false},   // with ISO country code
    {"422", 3, false, kNoDate, 0, 0, true},    // country of origin
    {"423", 3, false, kNoDate, 0, 12, true},
    {"424", 3, false, kNoDate, 0, 0, true},
    {"425", 3, false, kNoDate, 0, 12, true},
    {"426", 3, false, kNoDate, 0, 0, true},
    {"7001", 13, false, kNoDate, 0, 0, true},           // NATO stock number
    {"7003", 10, false, DateRule::Strict, 0, 0, true},  // expiry date and time
    {"7006", 6, false, DateRule::Strict, 0, 0, true},   // first freeze date
    {"8001", 14, false, kNoDate, 0, 0, true},
    {"8003", 14, true, kNoDate, 0, 16, false},  // GRAI
    {"8004", 0, false, kNoDate, 1, 30, false},  // GIAI
    {"8005", 6, false, kNoDate, 0, 0, true},
    {"8006", 18, false, kNoDate, 0, 0, true},  // ITIP
    {"8007", 0, false, kNoDate, 1, 34, false},
    {"8008", 8, false, DateRule::Strict, 0, 4, true},
    {"8017", 18, true, kNoDate, 0, 0, true},  // GSRN of a provider
    {"8018", 18, true, kNoDate, 0, 0, true},  // GSRN of a recipient
    {"8020", 0, false, kNoDate, 1, 25, false},
    {"8200", 0, false, kNoDate, 1, 70, false},  // extended packaging URL
    {"90", 0, false, kNoDate, 1, 30, false},    // mutually agreed
    {"99", 0, false, kNoDate, 1, 90, false},    // company internal (91 to 99, below)
}};

// 31nn to 36nn, 390n to 393n: the fourth digit is the decimal point's position.
constexpr AiFormat kMeasure{"", 6, false, kNoDate, 0, 0, true};
constexpr AiFormat kAmount{"", 0, false, kNoDate, 1, 15, true};              // 390n, 392n
constexpr AiFormat kAmountWithCurrency{"", 3, false, kNoDate, 1, 15, true};  // 391n, 393n
constexpr AiFormat kCompanyInternal{"", 0, false, kNoDate, 1, 90, false};    // 91 to 99

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// GS1's character set 82 (General Specifications, figure 7.11-1).
bool inCharacterSet82(char c) {
    static constexpr std::string_view kOthers = "!\"%&'()*+,-./:;<=>?_";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) ||
           kOthers.find(c) != std::string_view::npos;
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
}

const AiFormat* formatOf(std::string_view ai) {
    for (const AiFormat& f : kAis) {
        if (ai == f.ai) {
            return &f;
        }
    }
    if (ai.size() != 4 || !allDigits(ai)) {
        if (ai.size() == 2 && ai[0] == '9' && ai[1] >= '1') {
            return &kCompanyInternal;
        }
        return nullptr;
    }
    const int group = (ai[0] - '0') * 100 + (ai[1] - '0') * 10 + (ai[2] - '0');
    const bool measure = (group >= 310 && group <= 316) || (group >= 320 && group <= 337) ||
                         (group >= 340 && group <= 357) || (group >= 360 && group <= 369);
    if (measure) {
        return &kMeasure;
    }
    if (group == 390 || group == 392) {
        return &kAmount;
    }
    if (group == 391 || group == 393) {
        return &kAmountWithCurrency;
    }
    return nullptr;
}

int twoDigits(std::string_view s, size_t at) {
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// YYMMDD. GS1 places YY within the 50 years either side of today, so the years 2000 and 2100
// never meet: every year divisible by 4 is a leap year.
bool validDate(std::string_view yymmdd, DateRule rule) {
    const int yy = twoDigits(yymmdd, 0);
    const int mm = twoDigits(yymmdd, 2);
    const int dd = twoDigits(yymmdd, 4);
    if (mm < 1 || mm > 12) {
        return false;
    }
    static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int last = mm == 2 && yy % 4 != 0 ? 28 : kDays[static_cast<size_t>(mm - 1)];
    const int first = rule == DateRule::DayZeroAllowed ? 0 : 1;
    return dd >= first && dd <= last;
}

std::optional<Gs1Error> checkValue(const std::string& ai, const std::string& value) {
    const AiFormat* f = formatOf(ai);
    if (f == nullptr) {
        return Gs1Error{Gs1Fault::UnknownAi, ai, {}};
    }
    if (value.empty()) {
        return Gs1Error{Gs1Fault::EmptyValue, ai, {}};
    }
    const size_t fixed = static_cast<size_t>(f->fixed);
    const size_t longest = fixed + static_cast<size_t>(f->varMax);
    if (f->varMax == 0 && value.size() != fixed) {
        return Gs1Error{Gs1Fault::WrongLength, ai, std::to_string(fixed)};
    }
    if (value.size() > longest) {
        return Gs1Error{Gs1Fault::TooLong, ai, std::to_string(longest)};
    }
    if (value.size() < fixed + static_cast<size_t>(f->varMin)) {
        return Gs1Error{Gs1Fault::WrongLength, ai, std::to_string(fixed + f->varMin)};
    }
    for (size_t i = 0; i < value.size(); ++i) {
        const bool digitsOnly = i < fixed || f->varDigits;
        if (!inCharacterSet82(value[i])) {
            // The whole UTF-8 sequence, so that the message shows the character typed.
            size_t n = 1;
            while (i + n < value.size() &&
                   (static_cast<unsigned char>(value[i + n]) & 0xC0) == 0x80) {
                ++n;
            }
            return Gs1Error{Gs1Fault::BadCharacter, ai, value.substr(i, n)};
        }
        if (digitsOnly && !isDigit(value[i])) {
            return Gs1Error{Gs1Fault::NotDigits, ai, std::string(1, value[i])};
        }
    }
    if (f->check) {
        const std::string_view key(value.data(), fixed);
        const char right = gs1CheckDigit(key);
        if (right != key.back()) {
            return Gs1Error{Gs1Fault::BadCheckDigit, ai, std::string(1, right)};
        }
    }
    if (f->date != DateRule::None && !validDate(value, f->date)) {
        return Gs1Error{Gs1Fault::BadDate, ai, value.substr(0, 6)};
    }
    return std::nullopt;
}

// "(" followed by 2 to 4 digits and ")": the length of the AI, or 0.
size_t aiAt(std::string_view text, size_t at) {
    if (at >= text.size() || text[at] != '(') {
        return 0;
    }
    size_t n = 0;
    while (at + 1 + n < text.size() && isDigit(text[at + 1 + n]) && n < 4) {
        ++n;
    }
    const bool closed = at + 1 + n < text.size() && text[at + 1 + n] == ')';
    return n >= 2 && closed ? n : 0;
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

}  // namespace

std::optional<std::string> Gs1Data::value(std::string_view ai) const {
    for (const Gs1Element& e : elements) {
        if (e.ai == ai) {
            return e.value;
        }
    }
    return std::nullopt;
}

Gs1Data parseGs1(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    Gs1Data out;
    auto refuse = [&out](Gs1Fault fault, std::string ai, std::string detail) {
        out.elements.clear();
        out.error = Gs1Error{fault, std::move(ai), std::move(detail)};
        return out;
    };
    if (text.empty()) {
        return refuse(Gs1Fault::Empty, {}, {});
    }
    if (aiAt(text, 0) == 0) {
        return refuse(Gs1Fault::NotBracketed, {}, std::string(text.substr(0, 12)));
    }
    size_t at = 0;
    while (at < text.size()) {
        const size_t n = aiAt(text, at);
        std::string ai(text.substr(at + 1, n));
        size_t end = at + n + 2;
        while (end < text.size() && aiAt(text, end) == 0) {
            ++end;
        }
        std::string value(text.substr(at + n + 2, end - at - n - 2));
        if (auto error = checkValue(ai, value)) {
            return refuse(error->fault, error->ai, error->detail);
        }
        if (out.value(ai)) {
            return refuse(Gs1Fault::Repeated, ai, {});
        }
        out.elements.push_back({std::move(ai), std::move(value)});
        at = end;
    }
    return out;
}

std::string gs1Bracketed(const std::vector<Gs1Element>& elements, char open, char close) {
    std::string out;
    for (const Gs1Element& e : elements) {
        out += open;
        out += e.ai;
        out += close;
        out += e.value;
    }
    return out;
}

bool gs1VariableLength(std::string_view ai) {
    // The element strings of predefined length (General Specifications, figure 7.8.5-2), by
    // their first two digits.
    static constexpr std::array<std::string_view, 21> kPredefined{
        "00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16",
        "17", "18", "19", "20", "31", "32", "33", "34", "35", "36"};
    if (ai.size() < 2) {
        return true;
    }
    const std::string_view lead = ai.substr(0, 2);
    return lead != "41" &&
           std::find(kPredefined.begin(), kPredefined.end(), lead) == kPredefined.end();
}

std::string gtin14(std::string_view digits) {
    if (!allDigits(digits) ||
        (digits.size() != 8 && digits.size() != 12 && digits.size() != 13 && digits.size() != 14)) {
        return {};
    }
    return std::string(14 - digits.size(), '0') + std::string(digits);
}

char gs1CheckDigit(std::string_view digitsWithCheck) {
    if (digitsWithCheck.empty() || !allDigits(digitsWithCheck)) {
        return '\0';
    }
    int sum = 0;
    int weight = 3;
    for (size_t i = digitsWithCheck.size() - 1; i-- > 0;) {
        sum += (digitsWithCheck[i] - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string gs1ErrorEnglish(const Gs1Error& e) {
    const std::string ai = "(" + e.ai + ")";
    switch (e.fault) {
        case Gs1Fault::Empty:
            return "no GS1 data: write it as (01)09506000134352(10)ABC123";
        case Gs1Fault::NotBracketed:
            return "GS1 data starts with an AI in parentheses, such as (01), not " +
                   quoted(e.detail);
        case Gs1Fault::UnknownAi:
            return ai + " is not a GS1 application identifier";
        case Gs1Fault::EmptyValue:
            return ai + " has no data";
        case Gs1Fault::WrongLength:
            return ai + " takes " + e.detail + " characters";
        case Gs1Fault::TooLong:
            return ai + " takes at most " + e.detail + " characters";
        case Gs1Fault::NotDigits:
            return ai + " takes digits only, not " + quoted(e.detail);
        case Gs1Fault::BadCharacter:
            return ai + ": " + quoted(e.detail) + " is not in GS1's character set";
        case Gs1Fault::BadCheckDigit:
            return ai + ": the check digit should be " + e.detail;
        case Gs1Fault::BadDate:
            return ai + ": " + e.detail + " is not a date YYMMDD";
        case Gs1Fault::Repeated:
            return ai + " is given twice";
        case Gs1Fault::NoGtin:
            return "a GS1 Digital Link needs a GTIN (01)";
        case Gs1Fault::NotInLink:
            return ai + " cannot go in a GS1 Digital Link beside the GTIN (01)";
        case Gs1Fault::BadResolver:
            return "the resolver " + quoted(e.detail) +
                   " is not an https:// address without spaces, ? or #";
        case Gs1Fault::NotEncoded:
            return "the symbol cannot hold this data: " + e.detail;
        case Gs1Fault::Over48:
            return "GS1-128 holds at most 48 characters of data; this has " + e.detail;
    }
    return {};
}

std::string gs1ErrorRussian(const Gs1Error& e) {
    const std::string ai = "(" + e.ai + ")";
    switch (e.fault) {
        case Gs1Fault::Empty:
            return "нет данных GS1: запишите их как (01)09506000134352(10)ABC123";
        case Gs1Fault::NotBracketed:
            return "данные GS1 начинаются с идентификатора применения в скобках, например (01), "
                   "а не " +
                   quoted(e.detail);
        case Gs1Fault::UnknownAi:
            return ai + " не является идентификатором применения GS1";
        case Gs1Fault::EmptyValue:
            return ai + ": нет данных";
        case Gs1Fault::WrongLength:
            return ai + ": нужно символов: " + e.detail;
        case Gs1Fault::TooLong:
            return ai + ": не более " + e.detail + " символов";
        case Gs1Fault::NotDigits:
            return ai + ": только цифры, а не " + quoted(e.detail);
        case Gs1Fault::BadCharacter:
            return ai + ": символа " + quoted(e.detail) + " нет в наборе символов GS1";
        case Gs1Fault::BadCheckDigit:
            return ai + ": контрольная цифра должна быть " + e.detail;
        case Gs1Fault::BadDate:
            return ai + ": " + e.detail + " не является датой ГГММДД";
        case Gs1Fault::Repeated:
            return ai + " указан дважды";
        case Gs1Fault::NoGtin:
            return "для GS1 Digital Link нужен GTIN (01)";
        case Gs1Fault::NotInLink:
            return ai + " не может входить в GS1 Digital Link рядом с GTIN (01)";
        case Gs1Fault::BadResolver:
            return "резолвер " + quoted(e.detail) +
                   " не является адресом https:// без пробелов, ? и #";
        case Gs1Fault::NotEncoded:
            return "символ не вмещает эти данные: " + e.detail;
        case Gs1Fault::Over48:
            return "GS1-128 вмещает не более 48 символов данных, а здесь " + e.detail;
    }
    return {};
}

}  // namespace strikon

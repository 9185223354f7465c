#pragma once
// GS1 element strings: the bracketed form a user writes, "(01)09506000134352(17)271231(10)ABC123",
// read into application identifiers (AIs) and their values, each value checked against the AI's
// format in the GS1 General Specifications (3.2, the AI table): its length, digits or GS1's
// character set 82, its check digit, its date. Plain C++: the window, the command line and the
// symbol drawing all read the same answer, and the refusal names the AI in either language.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace strikon {

struct Gs1Element {
    std::string ai;     // "01", "10", "3103"
    std::string value;  // as written, checked

    friend bool operator==(const Gs1Element&, const Gs1Element&) = default;
};

enum class Gs1Fault {
    Empty,          // nothing written
    NotBracketed,   // text before the first "(AI)", or a "(" that opens no AI
    UnknownAi,      // an AI the table does not hold
    EmptyValue,     // an AI followed by no data
    WrongLength,    // a fixed-length value of another length
    TooLong,        // a variable-length value over its maximum
    NotDigits,      // a numeric value with something else in it
    BadCharacter,   // a character outside GS1's character set 82
    BadCheckDigit,  // detail: the check digit it should have
    BadDate,        // YYMMDD with no such month or day
    Repeated,       // the same AI twice
    NoGtin,         // a Digital Link needs (01)
    NotInLink,      // a key other than the GTIN cannot ride in a Digital Link with one
    BadResolver,    // detail: the resolver address as given
    NotEncoded,     // the symbol cannot hold the data; detail: libzint's reason
    Over48,         // GS1-128 holds 48 characters of AIs and data; detail: how many there are
};

struct Gs1Error {
    Gs1Fault fault = Gs1Fault::Empty;
    std::string ai;      // the AI concerned, "" where none is
    std::string detail;  // the offending character, the expected check digit, the limit
};

// A message naming the AI and the reason, in UTF-8.
std::string gs1ErrorEnglish(const Gs1Error& error);
std::string gs1ErrorRussian(const Gs1Error& error);

struct Gs1Data {
    std::vector<Gs1Element> elements;  // in the order written
    std::optional<Gs1Error> error;     // set when the text was refused; elements then empty

    bool ok() const { return !error.has_value(); }
    // The value of an AI, or nothing.
    std::optional<std::string> value(std::string_view ai) const;
};

// Reads and checks a bracketed element string. Spaces around the whole text are ignored. A "("
// opens an AI only when 2 to 4 digits and ")" follow it; any other "(" or ")" is data (both are
// in GS1's character set 82).
Gs1Data parseGs1(std::string_view text);

// The bracketed form of checked elements, "(01)09506000134352(10)ABC123": the human-readable
// interpretation printed under a symbol, and what libzint receives (with square brackets).
std::string gs1Bracketed(const std::vector<Gs1Element>& elements, char open = '(',
                         char close = ')');

// True when the AI's value may be shorter than its maximum: in a symbol it is followed by FNC1 (a
// GS separator when read) unless it comes last.
bool gs1VariableLength(std::string_view ai);

// A GTIN-8, -12, -13 or -14 as the 14 digits AI (01) carries, leading zeros added; "" for any
// other text. The check digit is not checked here.
std::string gtin14(std::string_view digits);

// The modulo-10 check digit GS1 uses for every key (weights 3 and 1 from the right, the last
// position being the check digit itself, which is not read); '\0' for a text with a non-digit.
char gs1CheckDigit(std::string_view digitsWithCheck);

}  // namespace strikon

#include "gs1_digital_link.h"

#include <algorithm>
#include <array>

namespace strikon {

namespace {

// The key qualifiers of a GTIN, in the order the path must hold them.
constexpr std::array<std::string_view, 3> kGtinQualifiers{"22", "10", "21"};

// The other primary keys of the URI syntax: a link has one key, so none of these may join a GTIN.
constexpr std::array<std::string_view, 13> kOtherKeys{
    "00", "253", "255", "401", "402", "414", "417", "8003", "8004", "8006", "8010", "8013", "8018"};

bool unreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// https://host[:port][/path]: the characters a URI may hold outside its query, no "?" or "#".
bool acceptableResolver(std::string_view r) {
    constexpr std::string_view kScheme = "https://";
    if (r.substr(0, kScheme.size()) != kScheme || r.size() == kScheme.size() ||
        r[kScheme.size()] == '/') {
        return false;
    }
    return std::all_of(r.begin() + kScheme.size(), r.end(),
                       [](char c) { return unreserved(c) || c == '/' || c == ':' || c == '%'; });
}

}  // namespace

std::string percentEncoded(std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (unreserved(c)) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

DigitalLink gs1DigitalLink(const std::vector<Gs1Element>& elements, std::string_view resolver) {
    DigitalLink link;
    std::string base(resolver.empty() ? kGs1Resolver : resolver);
    if (!acceptableResolver(base)) {
        link.error = Gs1Error{Gs1Fault::BadResolver, {}, std::string(resolver)};
        return link;
    }
    if (base.back() == '/') {
        base.pop_back();
    }
    const auto gtin = std::find_if(elements.begin(), elements.end(),
                                   [](const Gs1Element& e) { return e.ai == "01"; });
    if (gtin == elements.end()) {
        link.error = Gs1Error{Gs1Fault::NoGtin, "01", {}};
        return link;
    }
    std::string path = "/01/" + gtin->value;
    for (const std::string_view q : kGtinQualifiers) {
        for (const Gs1Element& e : elements) {
            if (e.ai == q) {
                path += "/" + e.ai + "/" + percentEncoded(e.value);
            }
        }
    }
    std::string query;
    for (const Gs1Element& e : elements) {
        if (std::find(kOtherKeys.begin(), kOtherKeys.end(), e.ai) != kOtherKeys.end()) {
            link.error = Gs1Error{Gs1Fault::NotInLink, e.ai, {}};
            return link;
        }
        const bool inPath =
            e.ai == "01" || std::find(kGtinQualifiers.begin(), kGtinQualifiers.end(), e.ai) !=
                                kGtinQualifiers.end();
        if (!inPath) {
            query += (query.empty() ? "?" : "&") + e.ai + "=" + percentEncoded(e.value);
        }
    }
    link.uri = base + path + query;
    return link;
}

}  // namespace strikon

#pragma once
// GS1 Digital Link URIs (GS1 Digital Link Standard: URI Syntax) built from checked GS1 data: the
// resolver, the GTIN as 14 digits in the path, its key qualifiers in the path in the standard's
// order (22, 10, 21), every other AI in the query in the order written, each value
// percent-encoded. What a GS1 Digital Link QR code carries.

#include <optional>
#include <string>
#include <string_view>

#include "gs1_data.h"

namespace strikon {

// GS1's own resolver, the one the standard's examples use.
inline constexpr std::string_view kGs1Resolver = "https://id.gs1.org";

struct DigitalLink {
    std::string uri;
    std::optional<Gs1Error> error;  // no GTIN, a second key, a resolver that is no https address
};

// Resolver: "https://" and a domain, optionally a path; one trailing "/" is dropped. Empty means
// kGs1Resolver.
DigitalLink gs1DigitalLink(const std::vector<Gs1Element>& elements, std::string_view resolver);

// Every character but the unreserved ones of RFC 3986 (A-Z a-z 0-9 - . _ ~) as %XX, upper-case
// hexadecimal, as the URI syntax asks of every path and query value.
std::string percentEncoded(std::string_view value);

}  // namespace strikon

#include "render/numbered_run.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "encoders/check_digit.h"
#include "encoders/gs1_data.h"

namespace strikon {

namespace {

std::string padded(uint64_t value, size_t width) {
    std::string text = std::to_string(value);
    return text.size() >= width ? text : std::string(width - text.size(), '0') + text;
}

// The six data digits of the UPC-E form of an 11-digit UPC-A body (number system,
// manufacturer, item), or "". The four forms are tried from the one whose last digit has the
// class of `preferred` (the run's first number), then in the usual order; a form counts only
// when it expands back to the same body, so the expansion rule is the one judge.
std::string compressedUPCA(const std::string& body, char preferred) {
    const std::string m = body.substr(1, 5);
    const std::string p = body.substr(6, 5);
    const std::array<std::string, 4> forms = {
        m.substr(0, 2) + p.substr(2, 3) + m[2],  // last digit 0-2
        m.substr(0, 3) + p.substr(3, 2) + '3', m.substr(0, 4) + p[4] + '4',
        m + p[4],  // last digit 5-9
    };
    const int first = preferred <= '2' ? 0 : (preferred >= '5' ? 3 : preferred - '3' + 1);
    for (int i = 0; i < 4; ++i) {
        const std::string& data = forms[(first + i) % 4];
        const std::string upce = body.substr(0, 1) + data + '0';
        if (ExpandUPCE(upce).substr(0, 11) == body) {
            return data;
        }
    }
    return {};
}

NumberedRun stopped(NumberedRun run, SheetFault::Kind why, std::vector<SheetFault::Value> values) {
    run.fault = sheetFault(why, std::move(values));
    return run;
}

}  // namespace

NumberedRun numberedRun(Symbology symbology, const std::string& first, int count, int step) {
    NumberedRun run;
    const bool upce = symbology == Symbology::UPCE;
    const std::string counted = upce ? ExpandUPCE(first) : first;
    const bool digitsOnly =
        std::all_of(counted.begin(), counted.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (counted.size() < 2 || !digitsOnly || count < 0 || step < 0) {
        return stopped(run, SheetFault::Kind::BadRunStart,
                       {faultName(QString::fromStdString(first))});
    }
    const size_t width = counted.size() - 1;  // digits counted, check position excluded
    const uint64_t start = std::stoull(counted.substr(0, width));
    for (int i = 0; i < count; ++i) {
        const uint64_t value = start + static_cast<uint64_t>(i) * static_cast<uint64_t>(step);
        const std::string body = padded(value, width);
        if (body.size() > width) {
            return stopped(run, SheetFault::Kind::PastLastNumber,
                           {faultCount(static_cast<long long>(width)), faultCount(i)});
        }
        if (!upce) {
            run.numbers.push_back(CalcCheckDigit(body + '0'));
            continue;
        }
        const std::string data = body[0] <= '1' ? compressedUPCA(body, first[6]) : "";
        if (data.empty()) {
            const std::string upca = CalcCheckDigit(body + '0');
            return stopped(run, SheetFault::Kind::NoUPCEForm,
                           {faultName(QString::fromStdString(upca)), faultCount(i)});
        }
        run.numbers.push_back(CalcUPCECheckDigit(body.substr(0, 1) + data + '0'));
    }
    return run;
}

NumberedRun numberedSerials(const std::string& first, int count, int step) {
    NumberedRun run;
    Gs1Data data = parseGs1(first);
    const auto serial = std::find_if(data.elements.begin(), data.elements.end(),
                                     [](const Gs1Element& e) { return e.ai == "21"; });
    size_t digitsFrom = serial == data.elements.end() ? 0 : serial->value.size();
    while (digitsFrom > 0 && serial->value[digitsFrom - 1] >= '0' &&
           serial->value[digitsFrom - 1] <= '9') {
        --digitsFrom;
    }
    if (serial == data.elements.end() || digitsFrom == serial->value.size() || count < 0 ||
        step < 0) {
        return stopped(run, SheetFault::Kind::NoSerial, {faultName(QString::fromStdString(first))});
    }
    const std::string prefix = serial->value.substr(0, digitsFrom);
    const size_t width = serial->value.size() - digitsFrom;
    // Up to 20 digits: more than 64 bits hold, so the run counts in the last 18 and refuses to
    // carry past them.
    const size_t counted = std::min<size_t>(width, 18);
    const std::string fixedHead = serial->value.substr(digitsFrom, width - counted);
    const uint64_t start = std::stoull(serial->value.substr(serial->value.size() - counted));
    for (int i = 0; i < count; ++i) {
        const uint64_t value = start + static_cast<uint64_t>(i) * static_cast<uint64_t>(step);
        const std::string body = padded(value, counted);
        if (body.size() > counted) {
            return stopped(run, SheetFault::Kind::PastLastNumber,
                           {faultCount(static_cast<long long>(width)), faultCount(i)});
        }
        serial->value = prefix + fixedHead + body;
        run.numbers.push_back(gs1Bracketed(data.elements));
    }
    return run;
}

}  // namespace strikon

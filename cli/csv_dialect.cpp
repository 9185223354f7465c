#include "cli/csv_dialect.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

#include "cli/csv_stream.h"

namespace strikon::cli {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// Windows-1251 bytes 0x80..0xFF as Unicode (the code page as Microsoft publishes it; 0x98, the
// one byte it leaves unassigned, is read as U+FFFD).
constexpr std::array<char16_t, 128> kCp1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};
// 0xC0..0xFF are А..я in order, U+0410..U+044F.

char16_t fromCp1251(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    return byte >= 0xC0 ? char16_t(0x0410 + (byte - 0xC0)) : kCp1251[byte - 0x80];
}

// Reads a Windows-1251 device and gives its text as UTF-8, one to three bytes for each.
class Cp1251Reader : public QIODevice {
  public:
    explicit Cp1251Reader(QIODevice& source) : source_(source) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        // Three UTF-8 bytes at most for each byte read, so the text always fits.
        const qint64 want = std::min<qint64>(maxSize / 3, 16 * 1024);
        if (want <= 0) {
            return 0;
        }
        raw_.resize(want);
        const qint64 n = source_.read(raw_.data(), want);
        if (n < 0) {
            setErrorString(source_.errorString());
            return -1;
        }
        qint64 out = 0;
        for (qint64 i = 0; i < n; ++i) {
            const char16_t u = fromCp1251(uchar(raw_[i]));
            if (u < 0x80) {
                data[out++] = char(u);
            } else if (u < 0x800) {
                data[out++] = char(0xC0 | (u >> 6));
                data[out++] = char(0x80 | (u & 0x3F));
            } else {
                data[out++] = char(0xE0 | (u >> 12));
                data[out++] = char(0x80 | ((u >> 6) & 0x3F));
                data[out++] = char(0x80 | (u & 0x3F));
            }
        }
        return out;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QIODevice& source_;
    QByteArray raw_;
};

// The header row's separator: semicolons when they outnumber commas outside quotes.
char headerDelimiter(const QByteArray& start) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const char c : start) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            break;
        } else if (!quoted) {
            commas += c == ',';
            semicolons += c == ';';
        }
    }
    return semicolons > commas ? ';' : ',';
}

bool isUtf8(const QByteArray& start) {
    // Stateful: a character cut off at the end of what was peeked is not a fault.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(start);
    return !utf8.hasError();
}

}  // namespace

ValueResult<CsvDialect> settleCsvDialect(QIODevice& device, const OptionValues& values,
                                         bool lookAhead) {
    using Settled = ValueResult<CsvDialect>;
    CsvDialect dialect;
    const QByteArray start = lookAhead ? device.peek(kMaxRecordBytes) : QByteArray();
    if (values.delimiter) {
        const QString d = values.delimiter->trimmed().toLower();
        if (d == u"," || d == u"comma") {
            dialect.delimiter = ',';
        } else if (d == u";" || d == u"semicolon") {
            dialect.delimiter = ';';
        } else {
            return Settled::failure(
                QStringLiteral("--delimiter: expects \",\" or \";\" (comma or semicolon), got "
                               "\"%1\"")
                    .arg(*values.delimiter));
        }
    } else {
        dialect.delimiter = headerDelimiter(start);
    }
    if (values.encoding) {
        const QString e = values.encoding->trimmed().toLower();
        if (e == u"utf-8" || e == u"utf8") {
            dialect.encoding = CsvEncoding::Utf8;
        } else if (e == u"windows-1251" || e == u"cp1251") {
            dialect.encoding = CsvEncoding::Windows1251;
        } else {
            return Settled::failure(
                QStringLiteral("--encoding: expects utf-8 or windows-1251, got \"%1\"")
                    .arg(*values.encoding));
        }
    } else if (!start.startsWith(kBom) && !isUtf8(start)) {
        dialect.encoding = CsvEncoding::Windows1251;
        dialect.notice = QStringLiteral(
            "notice: the batch file is not UTF-8 text; read as Windows-1251 (--encoding "
            "chooses)");
    }
    return Settled::success(dialect);
}

QIODevice& utf8Source(QIODevice& device, const CsvDialect& dialect,
                      std::unique_ptr<QIODevice>& keep) {
    if (dialect.encoding == CsvEncoding::Utf8) {
        return device;
    }
    keep = std::make_unique<Cp1251Reader>(device);
    return *keep;
}

}  // namespace strikon::cli

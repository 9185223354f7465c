// The pictures' pixels, decoded from the bytes written, against fingerprints taken before the
// drawing and encoding paths were made faster. PNG bytes may change with the encoder's settings;
// what a reader decodes from them may not.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>

#include "cli/render_job.h"
#include "cli/symbol_output.h"

namespace strikon::cli {
namespace {

struct Case {
    const char* type;
    const char* digits;
    const char* addon;
    int size;
    int dpi;
    const char* line;
    const char* background;
    const char* file;
    const char* pixels;  // SHA-1 of width, height and the RGB32 rows as decoded
};

const Case kCases[] = {
    {"EAN-13", "4006381333931", "", 100, 300, "", "", "a.png",
     "bcebf533fe5007cfb49e4c99e26063f63aab4ade"},
    {"EAN-13", "4006381333931", "52495", 100, 300, "", "", "a.png",
     "4192a046b85222ab16716b74a4c3165e9a06eb43"},
    {"EAN-13", "4006381333931", "52495", 100, 300, "", "", "a.bmp",
     "4192a046b85222ab16716b74a4c3165e9a06eb43"},
    {"EAN-13", "4006381333931", "", 80, 72, "", "", "a.png",
     "d75ffa088acb5d1bfc93f396d862c4df0c9f316c"},
    {"EAN-8", "96385074", "", 200, 600, "navy", "#FFFFE0", "a.png",
     "48f0144d5828428a357741dacd9fb6dfefc2413b"},
    {"UPC-A", "036000291452", "12", 100, 96, "", "", "a.png",
     "760f3816a76df34fe631c06b85a1ba20f5944800"},
    {"UPC-E", "04252614", "12", 150, 300, "#8B0000", "", "a.bmp",
     "01b81f1abfcffb400b3e64a2c89e71aaed8ce266"},
    {"UPC-E", "04252614", "", 100, 300, "", "", "a.jpg",
     "b6820a7ef44aa561f055aaade1a8915e3ed36e76"},
    {"ITF-14", "15400141288763", "", 100, 300, "", "", "a.png",
     "67e74c0ae5a08dbe2060299da2c3ab8ad9baa5e6"},
    {"ITF-14", "15400141288763", "", 100, 300, "", "", "a.bmp",
     "67e74c0ae5a08dbe2060299da2c3ab8ad9baa5e6"},
    {"ITF-14", "15400141288763", "", 50, 1200, "", "", "a.png",
     "f6d124709d5cb77f05e076f4dfa6299baf79e9c9"},
};

QByteArray fingerprint(const QImage& decoded) {
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(rgb.width()) + 'x' + QByteArray::number(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                                    static_cast<qsizetype>(rgb.width()) * 4));
    }
    return hash.result().toHex();
}

TEST(PixelsUnchanged, EveryFormatDecodesToTheSamePixelsAsBefore) {
    for (const Case& c : kCases) {
        OptionValues v;
        v.type = QString::fromLatin1(c.type);
        v.digits = QString::fromLatin1(c.digits);
        v.addon = QString::fromLatin1(c.addon);
        v.size = QString::number(c.size);
        v.dpi = QString::number(c.dpi);
        if (*c.line) {
            v.lineColor = QString::fromLatin1(c.line);
        }
        if (*c.background) {
            v.background = QString::fromLatin1(c.background);
        }
        v.output = QString::fromLatin1(c.file);
        const JobResult built = buildJob(v);
        ASSERT_TRUE(built.ok) << built.error.toStdString();
        const ValueResult<QByteArray> bytes = encodeSymbol(built.value);
        ASSERT_TRUE(bytes.ok) << bytes.error.toStdString();
        const QImage decoded = QImage::fromData(bytes.value);
        ASSERT_FALSE(decoded.isNull()) << c.type << " " << c.file;
        EXPECT_EQ(fingerprint(decoded).toStdString(), std::string(c.pixels))
            << c.type << " " << c.digits << "+" << c.addon << " at " << c.size << " % and " << c.dpi
            << " dpi to " << c.file;
    }
}

}  // namespace
}  // namespace strikon::cli

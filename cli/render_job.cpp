#include "cli/render_job.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "cli/shown_value.h"
#include "encoders/check_digit.h"
#include "encoders/gs1_data.h"
#include "encoders/gs1_symbol.h"
#include "encoders/symbology.h"
#include "render/draw_symbol.h"
#include "render/scan_check.h"

namespace strikon::cli {

namespace {

// The size when --size is not given, as the window starts.
constexpr int kDefaultSize = 100;

// "ean13", "Ean-13" and "EAN-13" all name EAN-13.
QString typeKey(const QString& text) {
    return text.trimmed().toUpper().remove(QLatin1Char('-'));
}

const SymbologyFacts* findSymbology(const QString& text) {
    for (const SymbologyFacts& s : symbologies()) {
        if (typeKey(QString::fromLatin1(s.name)) == typeKey(text)) {
            return &s;
        }
    }
    return nullptr;
}

// "EAN-13, UPC-A and UPC-E": the symbologies that take an add-on.
QString addOnTakers() {
    QStringList names;
    for (const SymbologyFacts& s : symbologies()) {
        if (s.addOnStart != 0) {
            names << QString::fromLatin1(s.name);
        }
    }
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// "0 or 1".
QString alternatives(std::string_view digits) {
    QStringList each;
    for (const char d : digits) {
        each << QString(QLatin1Char(d));
    }
    const QString last = each.takeLast();
    return each.isEmpty() ? last : each.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

// Digits with any spaces between them; "" for a text with anything else in it.
struct DigitText {
    std::string digits;
    QString stray;  // the first character that is neither a digit nor a space
};

DigitText readDigits(const QString& text) {
    DigitText out;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out.digits.push_back(static_cast<char>(c.unicode()));
        } else if (c != QLatin1Char(' ')) {
            out.stray = c;
            return out;
        }
    }
    return out;
}

QString fail(const char* option, const QString& what) {
    return QStringLiteral("--%1: %2").arg(QLatin1String(option), what);
}

// A job under construction: each step checks one option and fills its part, or says why not.
struct Builder {
    const OptionValues& values;
    RenderJob job;
    const SymbologyFacts* symbology = nullptr;
    std::string main;
    std::string addOn;

    QString type();
    QString gs1();
    QString gs1Data();
    QString gs1Options();
    QString digits();
    QString addon();
    QString size();
    QString dpi();
    QString colour(const std::optional<QString>& text, const char* option, QColor& into);
    QString checkDigit();
    QString output();
    QString printGrade();
    QString flag(const std::optional<QString>& text, const char* option, bool& into);
};

QString Builder::type() {
    QStringList names;
    for (const SymbologyFacts& s : symbologies()) {
        names << QString::fromLatin1(s.name);
    }
    const QString expected = QStringLiteral("expects one of ") + names.join(QStringLiteral(", "));
    if (!values.type) {
        return fail("type", QStringLiteral("is required: ") + expected);
    }
    symbology = findSymbology(*values.type);
    if (symbology == nullptr) {
        return fail(
            "type",
            QStringLiteral("unknown symbology \"%1\": ").arg(shownValue(*values.type)) + expected);
    }
    return {};
}

bool given(const std::optional<QString>& value) {
    return value && !value->trimmed().isEmpty();
}

QString Builder::gs1() {
    const struct {
        const char* option;
        const std::optional<QString>& value;
    } gs1Only[] = {{"gs1", values.gs1},
                   {"resolver", values.resolver},
                   {"module", values.module},
                   {"ec", values.ec}};
    if (!isGs1(symbology->id)) {
        for (const auto& o : gs1Only) {
            if (given(o.value)) {
                return fail(o.option, QStringLiteral("%1 takes no GS1 options; only GS1-QR, "
                                                     "GS1-DataMatrix and GS1-128 do")
                                          .arg(QLatin1String(symbology->name)));
            }
        }
        return {};
    }
    job.symbol.symbology = symbology->id;
    if (given(values.size)) {
        return fail("size", QStringLiteral("%1 is sized by its module: use --module")
                                .arg(QLatin1String(symbology->name)));
    }
    if (QString e = gs1Data(); !e.isEmpty()) {
        return e;
    }
    if (QString e = gs1Options(); !e.isEmpty()) {
        return e;
    }
    // Data that checks out can still be too much for the symbol (GS1-128 holds 48 characters).
    if (const auto refusal = gs1Refusal(gs1SymbolOf(job.symbol))) {
        const bool resolver = refusal->fault == Gs1Fault::BadResolver;
        return fail(resolver            ? "resolver"
                    : given(values.gs1) ? "gs1"
                                        : "digits",
                    QString::fromStdString(gs1ErrorEnglish(*refusal)));
    }
    return {};
}

// --gs1's element string, or the GTIN of --digits as (01).
QString Builder::gs1Data() {
    if (given(values.gs1) && given(values.digits)) {
        return fail("digits",
                    QStringLiteral("not used with --gs1, which carries the GTIN as (01)"));
    }
    std::string text;
    const char* option = "gs1";
    if (given(values.gs1)) {
        text = values.gs1->trimmed().toStdString();
    } else if (given(values.digits)) {
        option = "digits";
        const QString expects =
            QStringLiteral("a GTIN has 8, 12, 13 or 14 digits (spaces allowed)");
        const DigitText read = readDigits(*values.digits);
        if (!read.stray.isEmpty()) {
            return fail("digits",
                        QStringLiteral("\"%1\" is not a digit: ").arg(read.stray) + expects);
        }
        std::string gtin = gtin14(read.digits);
        if (gtin.empty()) {
            return fail("digits", expects + QStringLiteral(", got %1").arg(read.digits.size()));
        }
        bool correct = false;
        if (QString e = flag(values.checkDigit, "check-digit", correct); !e.isEmpty()) {
            return e;
        }
        if (correct) {
            gtin.back() = gs1CheckDigit(gtin);
        }
        text = "(01)" + gtin;
    } else {
        return fail("gs1", QStringLiteral("is required for %1: GS1 data such as "
                                          "(01)09506000134352(10)ABC123, or --digits with a GTIN")
                               .arg(QLatin1String(symbology->name)));
    }
    const Gs1Data data = parseGs1(text);
    if (!data.ok()) {
        return fail(option, QString::fromStdString(gs1ErrorEnglish(*data.error)));
    }
    job.symbol.gs1.elementString = gs1Bracketed(data.elements);
    return {};
}

QString Builder::gs1Options() {
    Gs1Request& g = job.symbol.gs1;
    const bool qr = symbology->id == Symbology::GS1QR;
    if (given(values.resolver)) {
        if (!qr) {
            return fail("resolver", QStringLiteral("only GS1-QR carries a Digital Link"));
        }
        g.resolver = values.resolver->trimmed().toStdString();
    }
    if (given(values.ec)) {
        const QString level = values.ec->trimmed().toUpper();
        if (!qr) {
            return fail("ec", QStringLiteral("only GS1-QR takes an error correction level"));
        }
        if (level.size() != 1 || !QStringLiteral("LMQH").contains(level)) {
            return fail(
                "ec",
                QStringLiteral("expects L, M, Q or H, got \"%1\"").arg(shownValue(*values.ec)));
        }
        g.qrLevel = static_cast<char>(level.front().unicode());
    }
    if (given(values.module)) {
        const Gs1SizeFacts& f = gs1SizeFacts(symbology->id);
        bool ok = false;
        const double mm = values.module->trimmed().toDouble(&ok);
        if (!ok || !(mm >= f.minMm - 1e-9 && mm <= f.maxMm + 1e-9)) {
            return fail("module", QStringLiteral("%1 takes a module from %2 to %3 mm, got \"%4\"")
                                      .arg(QLatin1String(symbology->name))
                                      .arg(f.minMm, 0, 'f', 3)
                                      .arg(f.maxMm, 0, 'f', 3)
                                      .arg(shownValue(*values.module)));
        }
        g.moduleMm = mm;
    }
    return {};
}

QString Builder::digits() {
    if (isGs1(symbology->id)) {
        return {};  // read as a GTIN with the GS1 data
    }
    const QString expects = QStringLiteral("%1 takes %2 digits (spaces allowed)")
                                .arg(QLatin1String(symbology->name))
                                .arg(symbology->digits);
    if (!values.digits) {
        return fail("digits", QStringLiteral("is required: ") + expects);
    }
    const DigitText read = readDigits(*values.digits);
    if (!read.stray.isEmpty()) {
        return fail("digits", QStringLiteral("\"%1\" is not a digit: ").arg(read.stray) + expects);
    }
    if (static_cast<int>(read.digits.size()) != symbology->digits) {
        return fail("digits", expects + QStringLiteral(", got %1").arg(read.digits.size()));
    }
    const std::string_view leading = symbology->leadingDigits;
    if (!leading.empty() && leading.find(read.digits[0]) == std::string_view::npos) {
        return fail("digits", QStringLiteral("%1 starts with its number system, %2, not %3")
                                  .arg(QLatin1String(symbology->name), alternatives(leading),
                                       QString(QLatin1Char(read.digits[0]))));
    }
    main = read.digits;
    return {};
}

QString Builder::addon() {
    if (!values.addon || values.addon->trimmed().isEmpty()) {
        return {};
    }
    if (symbology->addOnStart == 0) {
        return fail("addon", QStringLiteral("%1 takes no add-on; only %2 do")
                                 .arg(QLatin1String(symbology->name), addOnTakers()));
    }
    const QString expects = QStringLiteral("expects 2 or 5 digits (spaces allowed)");
    const DigitText read = readDigits(*values.addon);
    if (!read.stray.isEmpty()) {
        return fail("addon", QStringLiteral("\"%1\" is not a digit: ").arg(read.stray) + expects);
    }
    if (read.digits.size() != 2 && read.digits.size() != 5) {
        return fail("addon", expects + QStringLiteral(", got %1").arg(read.digits.size()));
    }
    addOn = read.digits;
    return {};
}

QString Builder::size() {
    if (isGs1(symbology->id)) {
        return {};
    }
    int percent = kDefaultSize;
    const QString expects =
        QStringLiteral("%1 takes a size in percent from %2 to %3 in steps of %4")
            .arg(QLatin1String(symbology->name))
            .arg(symbology->minSize)
            .arg(symbology->maxSize)
            .arg(symbology->sizeStep);
    if (values.size) {
        bool ok = false;
        percent = values.size->trimmed().toInt(&ok);
        if (!ok) {
            return fail(
                "size",
                QStringLiteral("\"%1\" is not a whole number: ").arg(shownValue(*values.size)) +
                    expects);
        }
    }
    if (percent < symbology->minSize || percent > symbology->maxSize ||
        (percent - symbology->minSize) % symbology->sizeStep != 0) {
        return fail("size", expects + QStringLiteral(", got %1").arg(percent));
    }
    job.symbol.sizePercent = static_cast<uint16_t>(percent);
    return {};
}

QString Builder::dpi() {
    if (!values.dpi) {
        return {};
    }
    bool ok = false;
    const int dpi = values.dpi->trimmed().toInt(&ok);
    if (!ok || dpi < kMinDpi || dpi > kMaxDpi) {
        return fail("dpi", QStringLiteral("expects a whole number of dots per inch from %1 to %2, "
                                          "got \"%3\"")
                               .arg(kMinDpi)
                               .arg(kMaxDpi)
                               .arg(shownValue(*values.dpi)));
    }
    job.dpi = dpi;
    return {};
}

QString Builder::colour(const std::optional<QString>& text, const char* option, QColor& into) {
    if (!text) {
        return {};
    }
    const QString t = text->trimmed();
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    // Qt also knows #RGB, #AARRGGBB and "transparent"; a symbol needs an opaque colour, so
    // only the two documented forms are taken.
    const bool isHex = hex.match(t).hasMatch();
    // Names are plain letters: Qt reads a name only up to a NUL and turns what is not Latin-1
    // into "?", so "navy" followed by anything else would still pass as navy.
    static const QRegularExpression letters(QStringLiteral("^[A-Za-z]+$"));
    const bool isName = letters.match(t).hasMatch() && QColor::isValidColorName(t) &&
                        QColor::fromString(t).alpha() == 255;
    if (!isHex && !isName) {
        return fail(option, QStringLiteral("expects #RRGGBB or an SVG colour name such as navy, "
                                           "got \"%1\"")
                                .arg(shownValue(*text)));
    }
    into = QColor::fromString(t);
    return {};
}

bool yes(const QString& text) {
    const QString t = text.trimmed().toLower();
    return t == u"yes" || t == u"true" || t == u"1" || t == u"on";
}

bool no(const QString& text) {
    const QString t = text.trimmed().toLower();
    return t.isEmpty() || t == u"no" || t == u"false" || t == u"0" || t == u"off";
}

QString Builder::flag(const std::optional<QString>& text, const char* option, bool& into) {
    if (text) {
        if (!yes(*text) && !no(*text)) {
            return fail(option,
                        QStringLiteral("expects yes or no, got \"%1\"").arg(shownValue(*text)));
        }
        into = yes(*text);
    }
    return {};
}

QString Builder::printGrade() {
    OutputOptions& o = job.symbol.output;
    if (values.barReduction && !values.barReduction->trimmed().isEmpty()) {
        bool ok = false;
        const double mm = values.barReduction->trimmed().toDouble(&ok);
        if (!ok || !(mm >= 0.0 && mm <= kMaxBarReductionMm)) {
            return fail("bar-reduction",
                        QStringLiteral("expects millimetres from 0 to %1, got \"%2\"")
                            .arg(kMaxBarReductionMm, 0, 'f', 3)
                            .arg(shownValue(*values.barReduction)));
        }
        o.barReductionMm = mm;
    }
    if (QString e = flag(values.fitDots, "fit-dots", o.fitDots); !e.isEmpty()) {
        return e;
    }
    if (QString e = flag(values.quietZoneMarks, "quiet-zone-marks", o.quietZoneMarks);
        !e.isEmpty()) {
        return e;
    }
    return flag(values.bilevel, "bilevel", o.bilevel);
}

QString Builder::checkDigit() {
    if (isGs1(symbology->id)) {
        return {};  // GS1 data with a wrong check digit is refused, not drawn
    }
    bool correct = false;
    if (QString e = flag(values.checkDigit, "check-digit", correct); !e.isEmpty()) {
        return e;
    }
    // The same routine as the window's check-digit buttons: UPC-E over its expanded form.
    const std::string right = CalcCheckDigitFor(symbology->id, main);
    if (correct) {
        main = right;
    } else if (right != main) {
        job.warning = QStringLiteral(
                          "warning: the check digit of %1 %2 should be %3; drawn as "
                          "given (--check-digit corrects it)")
                          .arg(QLatin1String(symbology->name), QString::fromStdString(main),
                               QString(QLatin1Char(right.back())));
    }
    return {};
}

QString Builder::output() {
    const QString expects =
        QStringLiteral("expects a file ending in %1, or - for PNG on standard output")
            .arg(acceptedExtensions());
    if (!values.output || values.output->isEmpty()) {
        if (values.check && yes(*values.check)) {
            return {};  // a scan check alone writes nothing
        }
        return fail("output", QStringLiteral("is required: ") + expects);
    }
    const std::optional<SymbolFileFormat> format = formatForPath(*values.output);
    if (!format) {
        return fail(
            "output",
            QStringLiteral("unknown format of \"%1\": ").arg(shownValue(*values.output)) + expects);
    }
    job.output = *values.output;
    job.format = *format;
    return {};
}

QString contrastWarning(const QColor& line, const QColor& background) {
    const double contrast = printContrast(line, background);
    if (contrast >= kMinPrintContrast) {
        return {};
    }
    return QStringLiteral(
               "warning: line colour %1 on background %2 has a print contrast of %3 % in a "
               "scanner's red light, below the 75 % a scanner needs; written as asked")
        .arg(line.name(), background.name())
        .arg(qRound(contrast * 100));
}

}  // namespace

JobResult buildJob(const OptionValues& values) {
    Builder b{values, {}, nullptr, {}, {}};
    // In this order: later checks need the symbology, and the first fault is the one reported.
    for (auto step :
         {&Builder::type, &Builder::gs1, &Builder::digits, &Builder::addon, &Builder::size,
          &Builder::dpi, &Builder::checkDigit, &Builder::printGrade, &Builder::output}) {
        if (QString error = (b.*step)(); !error.isEmpty()) {
            return JobResult::failure(error);
        }
    }
    SymbolRequest& s = b.job.symbol;
    if (QString e = b.colour(values.lineColor, "line-color", s.lineColor); !e.isEmpty()) {
        return JobResult::failure(e);
    }
    if (QString e = b.colour(values.background, "background", s.backgroundColor); !e.isEmpty()) {
        return JobResult::failure(e);
    }
    if (const QString w = contrastWarning(s.lineColor, s.backgroundColor); !w.isEmpty()) {
        b.job.warning += (b.job.warning.isEmpty() ? QString() : QStringLiteral("\n")) + w;
    }
    s.symbology = b.symbology->id;
    s.digits = b.main;
    s.addOn =
        b.addOn.empty() ? AddOn::None : (b.addOn.size() == 2 ? AddOn::TwoDigit : AddOn::FiveDigit);
    s.addOnDigits = b.addOn;
    return JobResult::success(std::move(b.job));
}

}  // namespace strikon::cli

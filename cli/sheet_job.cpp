#include "cli/sheet_job.h"

#include <QDir>

#include "cli/shown_value.h"
#include "platform/atomic_write.h"
#include "render/dual_marking.h"
#include "render/label_templates.h"

namespace strikon::cli {

namespace {

QString fail(const char* option, const QString& what) {
    return QStringLiteral("--%1: %2").arg(QLatin1String(option), what);
}

// A whole number from `least` to `most`, or nothing.
std::optional<int> wholeNumber(const QString& text, int least, int most) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= least && value <= most ? std::optional<int>(value) : std::nullopt;
}

struct Counts {
    int labels = 0;
    int step = 0;  // 0: copies
    QString error;
};

Counts counts(const OptionValues& sheet, const SheetLayout& layout, int skip) {
    if (sheet.copies && sheet.run) {
        return {0, 0,
                QStringLiteral("--run: not used with --copies; a sheet holds copies of "
                               "one symbol or a numbered run")};
    }
    if (sheet.run) {
        const QStringList parts = sheet.run->split(QLatin1Char(','));
        const auto count = wholeNumber(parts.value(0), 1, kMaxSheetLabels);
        const auto step =
            parts.size() == 2 ? wholeNumber(parts[1], 1, 1000000) : std::optional<int>(1);
        if (parts.size() > 2 || !count || !step) {
            return {0, 0,
                    fail("run", QStringLiteral("expects N[,STEP]: from 1 to %1 labels, counting "
                                               "up by a step from 1 to 1000000, got \"%2\"")
                                    .arg(kMaxSheetLabels)
                                    .arg(*sheet.run))};
        }
        return {*count, *step, {}};
    }
    if (sheet.copies) {
        const auto copies = wholeNumber(*sheet.copies, 1, kMaxSheetLabels);
        if (!copies) {
            return {0, 0,
                    fail("copies", QStringLiteral("expects a whole number from 1 to %1, got "
                                                  "\"%2\"")
                                       .arg(kMaxSheetLabels)
                                       .arg(*sheet.copies))};
        }
        return {*copies, 0, {}};
    }
    return {layout.labelsPerPage() - skip, 0, {}};  // the rest of one sheet
}

// BRAND:PART from the installed templates; a template left out is named with its reason.
LayoutResult productLayout(const QString& name) {
    const TemplateCatalogue catalogue = readTemplateFolder(templateFolder());
    if (catalogue.folder.isEmpty()) {
        return LayoutResult::failure(
            fail("sheet", QStringLiteral("no label templates are installed to find \"%1\" in (the "
                                         "glabels-data package puts them in %2)")
                              .arg(name, QLatin1String(kGlabelsTemplates))));
    }
    if (const LabelProduct* product = productNamed(catalogue, name)) {
        return LayoutResult::success(product->layout);
    }
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    const QString spaced =
        (name.left(colon).trimmed() + QLatin1Char(' ') + name.mid(colon + 1).trimmed())
            .toCaseFolded();
    for (const SkippedTemplate& skipped : catalogue.skipped) {
        if (skipped.name.toCaseFolded() == spaced) {
            return LayoutResult::failure(
                fail("sheet", QStringLiteral("%1 is left out: %2").arg(name, skipped.text())));
        }
    }
    return LayoutResult::failure(fail(
        "sheet",
        QStringLiteral("no label stock \"%1\" in %2; --list-sheets %3 lists the "
                       "parts of that brand")
            .arg(name, QDir::toNativeSeparators(catalogue.folder), name.left(colon).trimmed())));
}

LayoutResult layoutOf(const OptionValues& sheet) {
    if (sheet.sheet && sheet.sheet->contains(QLatin1Char(':'))) {
        LayoutResult product = productLayout(*sheet.sheet);
        if (product.ok && sheet.page) {
            return LayoutResult::failure(
                fail("page", QStringLiteral("not used with label stock by its maker's code, whose "
                                            "template names its paper (%1)")
                                 .arg(product.value.paperTitle())));
        }
        return product;
    }
    SheetPaper paper = SheetPaper::A4;
    if (sheet.page) {
        const std::optional<SheetPaper> named = paperNamed(*sheet.page);
        if (!named) {
            return LayoutResult::failure(
                fail("page", QStringLiteral("expects A4 or Letter, got \"%1\"").arg(*sheet.page)));
        }
        paper = *named;
    }
    LayoutResult parsed = parseLayout(sheet.sheet.value_or(QString()), paper);
    if (!parsed.ok) {
        return LayoutResult::failure(fail("sheet", parsed.error));
    }
    if (sheet.page && parsed.value.paper != paper) {
        return LayoutResult::failure(fail(
            "page",
            QStringLiteral("the layout %1 is on %2 paper")
                .arg(layoutTitle(parsed.value), QLatin1String(paperName(parsed.value.paper)))));
    }
    return parsed;
}

OptionValues withOutput(OptionValues row, const OptionValues& values) {
    row.output = values.output;
    return row;
}

QString lineFault(qint64 line, const QString& error) {
    return QStringLiteral("--batch: line %1: %2").arg(line).arg(error);
}

// One label a row, each checked as one symbol; the warnings are kept with their lines.
QString batchLabels(const BatchRows& batch, const OptionValues& values, SheetJob& job) {
    QStringList warnings;
    for (size_t i = 0; i < batch.rows.size(); ++i) {
        const JobResult built = buildJob(withOutput(batch.rows[i], values));
        if (!built.ok) {
            return lineFault(batch.lines[i], built.error);
        }
        if (built.value.dpi != job.symbol.dpi) {
            // The sheet is one picture at one resolution; a label at another would not get the
            // whole-pixel bars its row asks for.
            return lineFault(batch.lines[i],
                             QStringLiteral("dpi %1 differs from the sheet's %2 (line %3); a "
                                            "sheet is drawn at one resolution")
                                 .arg(built.value.dpi)
                                 .arg(job.symbol.dpi)
                                 .arg(batch.lines.front()));
        }
        if (!built.value.warning.isEmpty()) {
            warnings << QStringLiteral("line %1: %2").arg(batch.lines[i]).arg(built.value.warning);
        }
        job.content.labels.push_back(built.value.symbol);
    }
    job.symbol.warning = warnings.join(u'\n');
    return {};
}

QString numberedLabels(const Counts& n, SheetJob& job) {
    if (n.step != 0) {
        job.symbol.warning.clear();  // every number of a run gets its own check digit
    }
    SheetLabels labels = sheetLabels(job.symbol.symbol, n.labels, n.step);
    if (labels.fault) {
        return fail("run", faultText(labels.fault));
    }
    job.content.labels = std::move(labels.labels);
    return {};
}

// --dual-marking as given: yes or no, the bare flag being yes.
std::optional<bool> dualMarking(const OptionValues& values) {
    const QString t = values.dualMarking.value_or(QString()).trimmed().toLower();
    if (t == u"yes" || t == u"true" || t == u"1" || t == u"on") {
        return true;
    }
    if (t.isEmpty() || t == u"no" || t == u"false" || t == u"0" || t == u"off") {
        return false;
    }
    return std::nullopt;
}

// Each label's linear symbol, or the first label that has none (with its batch line).
QString dualPartnersFault(const SheetJob& job, const BatchRows* batch) {
    for (size_t i = 0; i < job.content.labels.size(); ++i) {
        const SheetFault fault = dualPartner(job.content.labels[i]).fault;
        if (fault) {
            const QString why = fail("dual-marking", faultText(fault));
            return batch ? lineFault(batch->lines[i], why) : why;
        }
    }
    return {};
}

}  // namespace

SheetJobResult buildSheetJob(const OptionValues& values, const BatchRows* batch) {
    JobResult built = buildJob(batch ? withOutput(batch->rows.front(), values) : values);
    if (!built.ok) {
        return SheetJobResult::failure(batch ? lineFault(batch->lines.front(), built.error)
                                             : built.error);
    }
    if (built.value.format != SymbolFileFormat::Pdf && !built.value.output.isEmpty()) {
        return SheetJobResult::failure(
            fail("output", QStringLiteral("a sheet is written as PDF: expects "
                                          "a file ending in .pdf")));
    }
    const LayoutResult layout = layoutOf(values);
    if (!layout.ok) {
        return SheetJobResult::failure(layout.error);
    }
    const int perPage = layout.value.labelsPerPage();
    const auto skip = values.skip ? wholeNumber(*values.skip, 0, perPage - 1) : 0;
    if (!skip) {
        return SheetJobResult::failure(
            fail("skip", QStringLiteral("expects a whole number from 0 to %1, the labels of "
                                        "the sheet already used, got \"%2\"")
                             .arg(perPage - 1)
                             .arg(*values.skip)));
    }
    const std::optional<bool> dual = dualMarking(values);
    if (!dual) {
        return SheetJobResult::failure(fail(
            "dual-marking",
            QStringLiteral("expects yes or no, got \"%1\"").arg(shownValue(*values.dualMarking))));
    }
    const Counts n = counts(values, layout.value, *skip);
    if (!n.error.isEmpty()) {
        return SheetJobResult::failure(n.error);
    }
    SheetJob job{built.value, {layout.value, {}, *skip, *dual}};
    QString fault = batch ? batchLabels(*batch, values, job) : numberedLabels(n, job);
    if (fault.isEmpty() && *dual) {
        fault = dualPartnersFault(job, batch);
    }
    if (!fault.isEmpty()) {
        return SheetJobResult::failure(fault);
    }
    if (QString e = checkSymbolsFit(job.content, job.symbol.pxPerMm()); !e.isEmpty()) {
        return SheetJobResult::failure(fail("sheet", e));
    }
    return SheetJobResult::success(std::move(job));
}

WriteResult writeSheet(const SheetJob& job) {
    const ValueResult<QByteArray> pdf = encodeSheetPdf(job.content, job.symbol.dpi);
    if (!pdf.ok) {
        return WriteResult::failure(pdf.error);
    }
    const WriteResult written = writeFileAtomically(job.symbol.output, pdf.value);
    if (!written.ok) {
        return WriteResult::failure(
            QStringLiteral("cannot write %1: %2")
                .arg(QDir::toNativeSeparators(job.symbol.output), written.error));
    }
    return written;
}

}  // namespace strikon::cli

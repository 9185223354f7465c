#include "render/label_templates.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace strikon {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// No label stock, roll or sheet, is longer than this; a larger figure is a broken file.
constexpr double kMaxFigureMm = 5000.0;
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;
constexpr int kMaxEquivalentDepth = 8;

// What one <Template> said, before its equivalent is looked up.
struct RawTemplate {
    QString file;
    qint64 line = 0;
    QString brand;
    QString part;
    QString description;
    QString equiv;
    std::vector<std::pair<QString, QString>> aliases;  // brand, part
    std::optional<SheetLayout> layout;
    QString reason;  // why it has no layout, when it is not an equivalent
};

QString key(const QString& brand, const QString& part) {
    return brand.trimmed().toCaseFolded() + QChar(0) + part.trimmed().toCaseFolded();
}

QString productName(const QString& brand, const QString& part) {
    return (brand + QLatin1Char(' ') + part).trimmed();
}

// Makers' figures are measured off real sheets and rounded: a label a few hundredths taller than
// its pitch, or a last column reaching a fraction of a millimetre past the paper, is the sheet
// as it is, labels cut edge to edge. Such a label is taken as that much smaller (the symbol
// stays centred within kSlopMm / 2 of where it would be); anything further out is refused.
constexpr double kSlopMm = 1.0;

void settle(SheetLayout& l) {
    const QSizeF page = l.paperMm();
    double width = l.labelMm.width();
    double height = l.labelMm.height();
    for (const SheetGrid& g : l.grids()) {
        if (g.columns > 1 && g.hPitchMm < width && width - g.hPitchMm <= kSlopMm) {
            width = g.hPitchMm;
        }
        if (g.rows > 1 && g.vPitchMm < height && height - g.vPitchMm <= kSlopMm) {
            height = g.vPitchMm;
        }
    }
    for (const SheetGrid& g : l.grids()) {
        const double across = g.leftMm + (g.columns - 1) * g.hPitchMm + width - page.width();
        const double down = g.topMm + (g.rows - 1) * g.vPitchMm + height - page.height();
        if (across > 0 && across <= kSlopMm) {
            width -= across;
        }
        if (down > 0 && down <= kSlopMm) {
            height -= down;
        }
    }
    if (l.shape != LabelShape::Rectangle && l.labelMm.width() == l.labelMm.height()) {
        width = height = std::min({width, height, l.labelMm.width(), l.labelMm.height()});
    }
    if (width > 0 && height > 0) {
        l.labelMm = QSizeF(width, height);
    }
}

class TemplateReader {
  public:
    TemplateReader(QXmlStreamReader& xml, const std::vector<PaperSize>& papers)
        : xml_(xml), papers_(papers) {}

    // The reader stands on <Template>; it is left on its end.
    RawTemplate read(const QString& file) {
        RawTemplate t;
        t.file = file;
        t.line = xml_.lineNumber();
        const QXmlStreamAttributes a = xml_.attributes();
        t.brand = a.value(QLatin1String("brand")).toString().trimmed();
        t.part = a.value(QLatin1String("part")).toString().trimmed();
        t.description = a.hasAttribute(QLatin1String("_description"))
                            ? a.value(QLatin1String("_description")).toString()
                            : a.value(QLatin1String("description")).toString();
        t.equiv = a.value(QLatin1String("equiv")).toString().trimmed();
        refused_.clear();
        SheetLayout layout;
        if (t.brand.isEmpty() || t.part.isEmpty()) {
            refuse(QStringLiteral("a template names its brand and part"));
        } else if (t.equiv.isEmpty()) {
            paper(a, layout);
        }
        bool labelSeen = false;
        while (refused_.isEmpty() && xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == u"Alias") {
                const QXmlStreamAttributes alias = xml_.attributes();
                t.aliases.emplace_back(alias.value(QLatin1String("brand")).toString().trimmed(),
                                       alias.value(QLatin1String("part")).toString().trimmed());
                xml_.skipCurrentElement();
            } else if (name.startsWith(u"Label-")) {
                label(layout, labelSeen);
                labelSeen = true;
            } else {
                xml_.skipCurrentElement();  // Meta, and what later formats may add
            }
        }
        if (refused_.isEmpty() && xml_.hasError()) {
            refuse(xml_.errorString());
        }
        if (refused_.isEmpty() && t.equiv.isEmpty()) {
            if (!labelSeen) {
                refuse(QStringLiteral("the template describes no label"));
            } else {
                settle(layout);
                if (const QString fault = checkLayout(layout); !fault.isEmpty()) {
                    refuse(fault);
                } else {
                    t.layout = layout;
                }
            }
        }
        if (!refused_.isEmpty()) {
            t.reason = refused_;
            t.equiv.clear();
            t.layout.reset();
            // Leave the reader after this template, whatever depth the fault was found at.
            while (!xml_.atEnd() && !(xml_.isEndElement() && xml_.name() == u"Template")) {
                xml_.readNext();
            }
        }
        return t;
    }

  private:
    // The first fault of a template is its reason; what is read after it is not used.
    void refuse(const QString& reason) {
        if (refused_.isEmpty()) {
            refused_ = reason;
        }
    }

    double length(const QXmlStreamAttributes& a, QLatin1String name, bool required = true,
                  double fallback = 0) {
        if (!a.hasAttribute(name)) {
            if (required) {
                refuse(QStringLiteral("<%1> has no %2").arg(xml_.name(), name));
            }
            return fallback;
        }
        const QStringView text = a.value(name);
        const std::optional<double> mm = templateLengthMm(text);
        if (!mm || *mm < 0 || *mm > kMaxFigureMm) {
            refuse(QStringLiteral("<%1> %2=\"%3\" is not a length from 0 to %4 mm")
                       .arg(xml_.name(), name, text)
                       .arg(kMaxFigureMm));
            return 0;
        }
        return *mm;
    }

    int count(const QXmlStreamAttributes& a, QLatin1String name) {
        bool ok = false;
        const int value = a.value(name).trimmed().toInt(&ok);
        if (!a.hasAttribute(name)) {
            refuse(QStringLiteral("<Layout> has no %1").arg(name));
            return 1;
        }
        if (!ok || value < 1 || value > kMaxLabelsPerPage) {
            refuse(QStringLiteral("<Layout> %1=\"%2\" is not a count from 1 to %3")
                       .arg(name, a.value(name))
                       .arg(kMaxLabelsPerPage));
            return 1;
        }
        return value;
    }

    void paper(const QXmlStreamAttributes& a, SheetLayout& layout) {
        const QString size = a.value(QLatin1String("size")).toString().trimmed();
        if (size.isEmpty()) {
            refuse(QStringLiteral("the template names no paper size"));
            return;
        }
        if (size.compare(u"A4", Qt::CaseInsensitive) == 0) {
            layout.paper = SheetPaper::A4;
            return;
        }
        if (size.compare(u"US-Letter", Qt::CaseInsensitive) == 0) {
            layout.paper = SheetPaper::Letter;
            return;
        }
        layout.paper = SheetPaper::Other;
        if (size.compare(u"Other", Qt::CaseInsensitive) == 0 ||
            size.compare(u"roll", Qt::CaseInsensitive) == 0) {
            layout.pageMm =
                QSizeF(length(a, QLatin1String("width")), length(a, QLatin1String("height")));
            layout.pageName = QStringLiteral("%1 \u00D7 %2 mm")
                                  .arg(QString::number(layout.pageMm.width(), 'g', 5),
                                       QString::number(layout.pageMm.height(), 'g', 5));
            return;
        }
        const auto known = std::find_if(papers_.begin(), papers_.end(), [&](const PaperSize& p) {
            return p.id.compare(size, Qt::CaseInsensitive) == 0;
        });
        if (known == papers_.end()) {
            refuse(QStringLiteral("the paper size \"%1\" is not in paper-sizes.xml").arg(size));
            return;
        }
        layout.pageName = known->name;
        layout.pageMm = known->mm;
    }

    // One <Label-...>: its shape and size, and its grids added to the layout's.
    void label(SheetLayout& layout, bool another) {
        const QString element = xml_.name().toString();
        const QXmlStreamAttributes a = xml_.attributes();
        SheetLayout shaped = layout;
        if (element == u"Label-rectangle") {
            shaped.shape = LabelShape::Rectangle;
            shaped.labelMm =
                QSizeF(length(a, QLatin1String("width")), length(a, QLatin1String("height")));
        } else if (element == u"Label-ellipse") {
            shaped.shape = LabelShape::Ellipse;
            shaped.labelMm =
                QSizeF(length(a, QLatin1String("width")), length(a, QLatin1String("height")));
        } else if (element == u"Label-round") {
            shaped.shape = LabelShape::Round;
            const double diameter = 2 * length(a, QLatin1String("radius"));
            shaped.labelMm = QSizeF(diameter, diameter);
        } else if (element == u"Label-cd") {
            shaped.shape = LabelShape::Disc;
            const double diameter = 2 * length(a, QLatin1String("radius"));
            // A disc cut straight at its sides or ends (business-card discs) is that wide.
            shaped.labelMm =
                QSizeF(std::min(length(a, QLatin1String("width"), false, diameter), diameter),
                       std::min(length(a, QLatin1String("height"), false, diameter), diameter));
            shaped.holeMm = 2 * length(a, QLatin1String("hole"));
            if (shaped.holeMm >= diameter) {
                refuse(QStringLiteral("<Label-cd> has a hole as large as the disc"));
            }
        } else {
            refuse(QStringLiteral("the label shape <%1> is not known").arg(element));
        }
        if (!refused_.isEmpty()) {
            return;
        }
        if (!(shaped.labelMm.width() > 0) || !(shaped.labelMm.height() > 0)) {
            refuse(QStringLiteral("<%1> has no area").arg(element));
            return;
        }
        if (another && (shaped.shape != layout.shape || shaped.labelMm != layout.labelMm ||
                        shaped.holeMm != layout.holeMm)) {
            refuse(QStringLiteral("labels of more than one size on a sheet"));
            return;
        }
        layout.shape = shaped.shape;
        layout.labelMm = shaped.labelMm;
        layout.holeMm = shaped.holeMm;
        bool first = !another;
        while (refused_.isEmpty() && xml_.readNextStartElement()) {
            if (xml_.name() != u"Layout") {
                xml_.skipCurrentElement();  // Markup: margins and lines for a designer
                continue;
            }
            const QXmlStreamAttributes g = xml_.attributes();
            SheetGrid grid;
            grid.columns = count(g, QLatin1String("nx"));
            grid.rows = count(g, QLatin1String("ny"));
            grid.leftMm = length(g, QLatin1String("x0"));
            grid.topMm = length(g, QLatin1String("y0"));
            grid.hPitchMm =
                length(g, QLatin1String("dx"), grid.columns > 1, layout.labelMm.width());
            grid.vPitchMm = length(g, QLatin1String("dy"), grid.rows > 1, layout.labelMm.height());
            if (first) {
                layout.columns = grid.columns;
                layout.rows = grid.rows;
                layout.leftMm = grid.leftMm;
                layout.topMm = grid.topMm;
                layout.hPitchMm = grid.hPitchMm;
                layout.vPitchMm = grid.vPitchMm;
                first = false;
            } else {
                layout.moreGrids.push_back(grid);
            }
            if (static_cast<long long>(layout.moreGrids.size()) >= kMaxLabelsPerPage) {
                refuse(QStringLiteral("more grids than labels a sheet may hold"));
            }
            if (refused_.isEmpty()) {
                xml_.skipCurrentElement();
            }
        }
        if (first) {
            refuse(QStringLiteral("<%1> has no <Layout>").arg(element));
        }
    }

    QXmlStreamReader& xml_;
    const std::vector<PaperSize>& papers_;
    QString refused_;
};

// The file's templates, or its fault as one skipped entry.
void readFile(const QString& file, const QByteArray& bytes, const std::vector<PaperSize>& papers,
              std::vector<RawTemplate>& out, std::vector<SkippedTemplate>& skipped) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"Glabels-templates") {
        skipped.push_back(
            {file,
             xml.lineNumber(),
             {},
             xml.hasError() ? xml.errorString() : QStringLiteral("not a file of label templates")});
        return;
    }
    TemplateReader reader(xml, papers);
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Template") {
            out.push_back(reader.read(file));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        // The templates read before the fault stand; the rest of the file is lost.
        skipped.push_back(
            {file,
             xml.lineNumber(),
             {},
             QStringLiteral("%1; the rest of the file is not read").arg(xml.errorString())});
    }
}

QString squeezed(const QString& text) {
    QString out;
    for (const QChar c : text.toCaseFolded()) {
        if (c.isLetterOrNumber()) {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString LabelProduct::name() const {
    return productName(brand, part);
}

QString SkippedTemplate::text() const {
    QString where = file;
    if (line > 0) {
        where += QStringLiteral(":%1").arg(line);
    }
    return name.isEmpty() ? QStringLiteral("%1: %2").arg(where, reason)
                          : QStringLiteral("%1: %2: %3").arg(where, name, reason);
}

std::optional<double> templateLengthMm(QStringView text) {
    text = text.trimmed();
    qsizetype unitAt = text.size();
    while (unitAt > 0 && text.at(unitAt - 1).isLetter()) {
        --unitAt;
    }
    const QStringView unit = text.mid(unitAt);
    double factor = 0;
    if (unit.isEmpty() || unit == u"pt") {
        factor = kMmPerPoint;
    } else if (unit == u"in") {
        factor = 25.4;
    } else if (unit == u"mm") {
        factor = 1;
    } else if (unit == u"cm") {
        factor = 10;
    } else if (unit == u"pc") {
        factor = 12 * kMmPerPoint;
    } else {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.left(unitAt).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    // The files give points and inches to as many places as a converter printed; a hundredth
    // of a millimetre is finer than any cut, and keeps 63.9939 mm from reading as a new size.
    return std::round(value * factor * 100) / 100;
}

std::vector<PaperSize> readPaperSizes(const QByteArray& xml, const QString& file,
                                      std::vector<SkippedTemplate>& skipped) {
    std::vector<PaperSize> out;
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != u"Glabels-paper-sizes") {
        skipped.push_back({file,
                           reader.lineNumber(),
                           {},
                           reader.hasError() ? reader.errorString()
                                             : QStringLiteral("not a file of paper sizes")});
        return out;
    }
    while (reader.readNextStartElement()) {
        if (reader.name() != u"Paper-size") {
            reader.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes a = reader.attributes();
        const QString id = a.value(QLatin1String("id")).toString().trimmed();
        const std::optional<double> w = templateLengthMm(a.value(QLatin1String("width")));
        const std::optional<double> h = templateLengthMm(a.value(QLatin1String("height")));
        if (id.isEmpty() || !w || !h || !(*w > 0) || !(*h > 0) || *w > kMaxFigureMm ||
            *h > kMaxFigureMm) {
            skipped.push_back({file, reader.lineNumber(), id,
                               QStringLiteral("a paper size has an id, a width and a height")});
        } else {
            QString name = a.value(QLatin1String("_name")).toString().trimmed();
            out.push_back({id, name.isEmpty() ? id : name, QSizeF(*w, *h)});
        }
        reader.skipCurrentElement();
    }
    if (reader.hasError()) {
        skipped.push_back({file, reader.lineNumber(), {}, reader.errorString()});
    }
    return out;
}

TemplateCatalogue readTemplates(const std::vector<std::pair<QString, QByteArray>>& files,
                                const std::vector<PaperSize>& papers) {
    TemplateCatalogue catalogue;
    std::vector<RawTemplate> raw;
    for (const auto& [file, bytes] : files) {
        readFile(file, bytes, papers, raw, catalogue.skipped);
    }
    std::map<QString, size_t> byKey;  // the first template of each brand and part
    for (size_t i = 0; i < raw.size(); ++i) {
        byKey.emplace(key(raw[i].brand, raw[i].part), i);
    }
    std::map<QString, bool> named;
    auto add = [&](const RawTemplate& t, const QString& brand, const QString& part,
                   const QString& sameAs, const SheetLayout& layout, const QString& description) {
        if (!named.emplace(key(brand, part), true).second) {
            catalogue.skipped.push_back({t.file, t.line, productName(brand, part),
                                         QStringLiteral("described twice; the first is used")});
            return;
        }
        catalogue.products.push_back({brand, part, description, sameAs, layout});
    };
    for (const RawTemplate& t : raw) {
        const QString name = productName(t.brand, t.part);
        if (!t.reason.isEmpty()) {
            catalogue.skipped.push_back({t.file, t.line, name, t.reason});
            continue;
        }
        const RawTemplate* source = &t;
        int depth = 0;
        while (source->layout == std::nullopt && !source->equiv.isEmpty() &&
               depth++ < kMaxEquivalentDepth) {
            const auto found = byKey.find(key(t.brand, source->equiv));
            source = found == byKey.end() ? nullptr : &raw[found->second];
            if (source == nullptr) {
                break;
            }
        }
        if (source == nullptr || !source->layout) {
            QString reason = QStringLiteral("the equivalent %1 is not described").arg(t.equiv);
            if (source != nullptr && !source->reason.isEmpty()) {
                reason = QStringLiteral("the equivalent %1 is left out").arg(t.equiv);
            } else if (source != nullptr) {
                reason = QStringLiteral("the equivalents of %1 go round in a circle").arg(t.equiv);
            }
            catalogue.skipped.push_back({t.file, t.line, name, reason});
            continue;
        }
        const QString description = t.description.isEmpty() ? source->description : t.description;
        add(t, t.brand, t.part, t.equiv, *source->layout, description);
        for (const auto& [brand, part] : t.aliases) {
            if (brand.isEmpty() || part.isEmpty()) {
                catalogue.skipped.push_back(
                    {t.file, t.line, name, QStringLiteral("an alias names its brand and part")});
            } else {
                add(t, brand, part, name, *source->layout, description);
            }
        }
    }
    std::sort(catalogue.products.begin(), catalogue.products.end(),
              [](const LabelProduct& a, const LabelProduct& b) {
                  const int brand = a.brand.compare(b.brand, Qt::CaseInsensitive);
                  return brand != 0 ? brand < 0 : a.part.compare(b.part, Qt::CaseInsensitive) < 0;
              });
    return catalogue;
}

QString templateFolder() {
    const QString chosen = qEnvironmentVariable("STRIKON_LABEL_TEMPLATES");
    if (!chosen.isEmpty()) {
        return chosen;
    }
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("libglabels-3.0/templates"),
                                  QStandardPaths::LocateDirectory);
}

TemplateCatalogue readTemplateFolder(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        return {};
    }
    std::vector<SkippedTemplate> skipped;
    auto contents = [&](const QString& name) -> std::optional<QByteArray> {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            skipped.push_back({name, 0, {}, file.errorString()});
            return std::nullopt;
        }
        if (file.size() > kMaxFileBytes) {
            skipped.push_back(
                {name, 0, {}, QStringLiteral("larger than %1 MB").arg(kMaxFileBytes >> 20)});
            return std::nullopt;
        }
        return file.readAll();
    };
    std::vector<PaperSize> papers;
    if (dir.exists(QStringLiteral("paper-sizes.xml"))) {
        if (const auto bytes = contents(QStringLiteral("paper-sizes.xml"))) {
            papers = readPaperSizes(*bytes, QStringLiteral("paper-sizes.xml"), skipped);
        }
    }
    std::vector<std::pair<QString, QByteArray>> files;
    for (const QString& name : dir.entryList({QStringLiteral("*-templates.xml")},
                                             QDir::Files | QDir::Readable, QDir::Name)) {
        if (const auto bytes = contents(name)) {
            files.emplace_back(name, *bytes);
        }
    }
    TemplateCatalogue catalogue = readTemplates(files, papers);
    catalogue.folder = folder;
    catalogue.skipped.insert(catalogue.skipped.begin(), skipped.begin(), skipped.end());
    return catalogue;
}

std::vector<const LabelProduct*> findProducts(const TemplateCatalogue& catalogue,
                                              const QString& text) {
    QStringList words;
    for (const QString& word :
         text.split(QRegularExpression(QStringLiteral("[\\s:]+")), Qt::SkipEmptyParts)) {
        if (const QString w = squeezed(word); !w.isEmpty()) {
            words << w;
        }
    }
    std::vector<const LabelProduct*> found;
    for (const LabelProduct& product : catalogue.products) {
        const QString brand = squeezed(product.brand);
        const QString part = squeezed(product.part);
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) {
            return brand.contains(w) || part.contains(w);
        });
        if (all) {
            found.push_back(&product);
        }
    }
    return found;
}

const LabelProduct* productNamed(const TemplateCatalogue& catalogue, const QString& name) {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    const QString wanted = colon >= 0 ? key(name.left(colon), name.mid(colon + 1)) : QString();
    const QString spaced = name.simplified().toCaseFolded();
    for (const LabelProduct& product : catalogue.products) {
        if (colon >= 0 ? key(product.brand, product.part) == wanted
                       : product.name().simplified().toCaseFolded() == spaced) {
            return &product;
        }
    }
    return nullptr;
}

}  // namespace strikon

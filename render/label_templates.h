#pragma once
// Label stock by its maker's code: the sheet descriptions the glabels-data package installs
// (one XML file a maker, with paper-sizes.xml beside them) read into layouts. The files are
// outside our control: a template that cannot be understood is left out with its reason, never
// guessed at, and nothing in them can make the reader fail as a whole.

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <vector>

#include "render/sheet_layout.h"

namespace strikon {

struct LabelProduct {
    QString brand;        // "Avery"
    QString part;         // "L7160"
    QString description;  // "Address Labels", as the maker's catalogue names them
    QString sameAs;       // the part it is sold as an equivalent of, "" for none
    SheetLayout layout;

    QString name() const;  // "Avery L7160"
};

struct SkippedTemplate {
    QString file;    // the file's name
    qint64 line;     // where the template starts, or 0 for the whole file
    QString name;    // "Avery L7160", or "" when not known
    QString reason;  // why it was left out

    QString text() const;  // "avery-iso-templates.xml:120: Avery L7160: <reason>"
};

struct PaperSize {
    QString id;    // "US-Letter", as templates name it
    QString name;  // "US Letter", as people do
    QSizeF mm;
};

struct TemplateCatalogue {
    QString folder;                      // where the files were read; "" when none was found
    std::vector<LabelProduct> products;  // by brand, then part
    std::vector<SkippedTemplate> skipped;
};

// The paper sizes of paper-sizes.xml; a size that cannot be read is left out with its reason.
std::vector<PaperSize> readPaperSizes(const QByteArray& xml, const QString& file,
                                      std::vector<SkippedTemplate>& skipped);

// Every template of every *-templates.xml in `files` (name and contents), equivalents resolved
// across all of them, the paper named by the sizes given (A4 and US-Letter are always known).
TemplateCatalogue readTemplates(const std::vector<std::pair<QString, QByteArray>>& files,
                                const std::vector<PaperSize>& papers);

// Where Debian's glabels-data package installs the templates.
inline constexpr char kGlabelsTemplates[] = "/usr/share/libglabels-3.0/templates";

// The folder of templates: $STRIKON_LABEL_TEMPLATES when set, otherwise the first
// libglabels-3.0/templates in the system's data folders; "" when there is none.
QString templateFolder();

// Everything in `folder` (paper-sizes.xml and *-templates.xml); no products when `folder` is
// empty or holds no templates.
TemplateCatalogue readTemplateFolder(const QString& folder);

// The products whose brand and part hold every word of `text` ("herma 46", "l7160"), any case,
// dashes and dots ignored; all of them for an empty text.
std::vector<const LabelProduct*> findProducts(const TemplateCatalogue& catalogue,
                                              const QString& text);

// The product named "BRAND:PART" (or "BRAND PART"), any case; nullptr when none.
const LabelProduct* productNamed(const TemplateCatalogue& catalogue, const QString& name);

// A length as the templates write it: a number with pt (the default), in, mm, cm or pc.
std::optional<double> templateLengthMm(QStringView text);

}  // namespace strikon

#include "formats/docx_writer.h"

#include <vector>

#include "formats/docx_parts.h"
#include "formats/zip_archive.h"
#include "platform/atomic_write.h"

namespace strikon {

ValueResult<QByteArray> buildDocx(const QByteArray& png, double widthMm, double heightMm) {
    if (png.isEmpty()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture is empty."));
    }
    // Written as "!(x > 0)" so that NaN is refused as well.
    if (!(widthMm > 0) || !(heightMm > 0)) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture has no size."));
    }
    // Content types first, as Office itself orders them; PNG is stored, deflating it gains
    // nothing.
    const std::vector<ZipEntry> parts = {
        {QStringLiteral("[Content_Types].xml"), contentTypesXml()},
        {QStringLiteral("_rels/.rels"), packageRelsXml()},
        {QStringLiteral("docProps/app.xml"), appPropertiesXml()},
        {QStringLiteral("docProps/core.xml"), corePropertiesXml()},
        {QString::fromLatin1(kDocumentPart), documentXml(mmToEmu(widthMm), mmToEmu(heightMm))},
        {QStringLiteral("word/_rels/document.xml.rels"), documentRelsXml()},
        {QString::fromLatin1(kPicturePart), png, false},
    };
    return buildZip(parts);
}

WriteResult writeDocx(const QString& path, const QByteArray& png, double widthMm, double heightMm) {
    auto built = buildDocx(png, widthMm, heightMm);
    if (!built.ok) {
        return WriteResult::failure(built.error);
    }
    return writeFileAtomically(path, built.value);
}

}  // namespace strikon

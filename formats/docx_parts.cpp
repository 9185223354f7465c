#include "formats/docx_parts.h"

#include <cmath>

namespace strikon {
namespace {

constexpr char kXmlDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// The document relates to the picture under this id; the drawing's blip names it.
constexpr char kPictureRelId[] = "rId1";

}  // namespace

int64_t mmToEmu(double mm) {
    return std::llround(mm * kEmuPerMm);
}

QByteArray contentTypesXml() {
    return QByteArray(kXmlDecl) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"png\" ContentType=\"image/png\"/>"
           "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
           "<Override PartName=\"/docProps/core.xml\" "
           "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
           "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
           "</Types>";
}

QByteArray packageRelsXml() {
    return QByteArray(kXmlDecl) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships/officeDocument\" Target=\"word/document.xml\"/>"
           "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
           "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships/extended-properties\" Target=\"docProps/app.xml\"/>"
           "</Relationships>";
}

QByteArray documentRelsXml() {
    // Targets here are relative to word/, the folder of the document part.
    return QByteArray(kXmlDecl) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"" +
           kPictureRelId +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
           "Target=\"media/image1.png\"/>"
           "</Relationships>";
}

QByteArray appPropertiesXml() {
    return QByteArray(kXmlDecl) +
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "extended-properties\"><Application>Strikon</Application></Properties>";
}

QByteArray corePropertiesXml() {
    return QByteArray(kXmlDecl) +
           "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
           "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
           "<dc:creator>Strikon</dc:creator></cp:coreProperties>";
}

QByteArray documentXml(int64_t cx, int64_t cy) {
    const QByteArray ext = "cx=\"" + QByteArray::number(qint64(cx)) + "\" cy=\"" +
                           QByteArray::number(qint64(cy)) + "\"";
    return QByteArray(kXmlDecl) +
           "<w:document"
           " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
           " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
           " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
           " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
           " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<w:body><w:p><w:r><w:drawing>"
           "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
           "<wp:extent " +
           ext +
           "/>"
           "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
           "<wp:docPr id=\"1\" name=\"Barcode\"/>"
           "<wp:cNvGraphicFramePr><a:graphicFrameLocks "
           "noChangeAspect=\"1\"/></wp:cNvGraphicFramePr>"
           "<a:graphic><a:graphicData "
           "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:pic>"
           "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\"image1.png\"/><pic:cNvPicPr/></pic:nvPicPr>"
           "<pic:blipFill><a:blip r:embed=\"" +
           kPictureRelId +
           "\"/>"
           "<a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
           "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext " +
           ext +
           "/></a:xfrm>"
           "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
           "</pic:pic></a:graphicData></a:graphic></wp:inline>"
           "</w:drawing></w:r></w:p></w:body></w:document>";
}

}  // namespace strikon

// The .docx package unzipped with libzip: parts, content types, relationships, picture extent.

#include <gtest/gtest.h>
#include <zip.h>

#include <QMap>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "formats/docx_parts.h"
#include "formats/docx_writer.h"
#include "formats/png_bytes.h"
#include "tests/support/sample_images.h"

namespace strikon {
namespace {

using Parts = QMap<QString, QByteArray>;

Parts unzip(const QString& path) {
    Parts parts;
    int code = 0;
    zip_t* za = zip_open(path.toUtf8().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za) {
        ADD_FAILURE() << "zip_open failed with code " << code;
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, zip_uint64_t(i), 0, &st);
        QByteArray bytes(qsizetype(st.size), '\0');
        zip_file_t* f = zip_fopen_index(za, zip_uint64_t(i), 0);
        EXPECT_EQ(zip_fread(f, bytes.data(), st.size), zip_int64_t(st.size)) << st.name;
        zip_fclose(f);
        parts.insert(QString::fromUtf8(st.name), bytes);
    }
    zip_close(za);
    return parts;
}

// Attributes of every element with the given qualified name, in document order; fails the test
// when the XML is not well formed.
std::vector<QXmlStreamAttributes> elements(const QByteArray& xml, const QString& qname) {
    std::vector<QXmlStreamAttributes> found;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.qualifiedName() == qname) {
            found.push_back(r.attributes());
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return found;
}

QString attr(const QXmlStreamAttributes& a, const char* name) {
    return a.value(QString::fromLatin1(name)).toString();
}

// Relationship id -> (type suffix, target).
QMap<QString, std::pair<QString, QString>> relationships(const QByteArray& xml) {
    QMap<QString, std::pair<QString, QString>> rels;
    for (const auto& a : elements(xml, "Relationship")) {
        rels.insert(attr(a, "Id"), {attr(a, "Type").section('/', -1), attr(a, "Target")});
    }
    return rels;
}

class DocxWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        png_ = pngBytes(test::barsImage(441, 306));
        path_ = dir_.filePath("Strikon.docx");
        const WriteResult r = writeDocx(path_, png_, 37.29, 25.93);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        parts_ = unzip(path_);
    }

    QTemporaryDir dir_;
    QByteArray png_;
    QString path_;
    Parts parts_;
};

TEST_F(DocxWriterTest, HoldsEveryPartWithMatchingContentTypes) {
    const QStringList expected = {"[Content_Types].xml",
                                  "_rels/.rels",
                                  "docProps/app.xml",
                                  "docProps/core.xml",
                                  "word/_rels/document.xml.rels",
                                  "word/document.xml",
                                  "word/media/image1.png"};
    ASSERT_EQ(parts_.keys(), expected);
    EXPECT_EQ(parts_.value("word/media/image1.png"), png_);

    const QByteArray types = parts_.value("[Content_Types].xml");
    QMap<QString, QString> defaults;
    for (const auto& a : elements(types, "Default")) {
        defaults.insert(attr(a, "Extension"), attr(a, "ContentType"));
    }
    EXPECT_EQ(defaults.value("png"), "image/png");
    EXPECT_EQ(defaults.value("xml"), "application/xml");
    EXPECT_EQ(defaults.value("rels"), "application/vnd.openxmlformats-package.relationships+xml");
    QMap<QString, QString> overrides;
    for (const auto& a : elements(types, "Override")) {
        overrides.insert(attr(a, "PartName"), attr(a, "ContentType"));
    }
    EXPECT_EQ(overrides.value("/word/document.xml"),
              "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
    // Every part needs a content type, by override or by its extension.
    for (const QString& name : expected) {
        EXPECT_TRUE(overrides.contains('/' + name) || defaults.contains(name.section('.', -1)))
            << name.toStdString();
    }
    for (const QString& name : expected) {
        if (name.endsWith(".xml") || name.endsWith(".rels")) {
            elements(parts_.value(name), "none");  // well formed
        }
    }
}

TEST_F(DocxWriterTest, RelationshipsLeadToDocumentAndPicture) {
    const auto pkg = relationships(parts_.value("_rels/.rels"));
    bool foundDocument = false;
    for (const auto& [type, target] : pkg) {
        EXPECT_TRUE(parts_.contains(target)) << target.toStdString();
        foundDocument |= type == "officeDocument" && target == "word/document.xml";
    }
    EXPECT_TRUE(foundDocument);

    const auto doc = relationships(parts_.value("word/_rels/document.xml.rels"));
    const auto blips = elements(parts_.value("word/document.xml"), "a:blip");
    ASSERT_EQ(blips.size(), 1u);
    const QString id = attr(blips[0], "r:embed");
    ASSERT_TRUE(doc.contains(id)) << id.toStdString();
    EXPECT_EQ(doc.value(id).first, "image");
    EXPECT_EQ(doc.value(id).second, "media/image1.png") << "relative to word/";
}

TEST_F(DocxWriterTest, PictureExtentIsItsSizeInEmu) {
    const QByteArray xml = parts_.value("word/document.xml");
    ASSERT_EQ(elements(xml, "wp:inline").size(), 1u);
    ASSERT_EQ(elements(xml, "wp:docPr").size(), 1u);
    ASSERT_EQ(elements(xml, "a:prstGeom").size(), 1u);
    EXPECT_EQ(attr(elements(xml, "a:prstGeom")[0], "prst"), "rect");
    for (const char* name : {"wp:extent", "a:ext"}) {
        const auto found = elements(xml, name);
        ASSERT_EQ(found.size(), 1u) << name;
        EXPECT_EQ(attr(found[0], "cx"), "1342440") << name;
        EXPECT_EQ(attr(found[0], "cy"), "933480") << name;
    }
}

TEST(DocxParts, MillimetresRoundToWholeEmu) {
    EXPECT_EQ(mmToEmu(37.29), 1342440);
    EXPECT_EQ(mmToEmu(25.4), 914400);  // one inch
    EXPECT_EQ(mmToEmu(0.00001), 0);
    EXPECT_EQ(mmToEmu(0.0000139), 1);  // 0.5004 EMU rounds up
}

TEST(DocxWriter, RefusesMissingPictureOrSize) {
    const QByteArray png = pngBytes(test::barsImage());
    EXPECT_FALSE(buildDocx(QByteArray(), 10, 10).ok);
    EXPECT_FALSE(buildDocx(png, 0, 10).ok);
    EXPECT_FALSE(buildDocx(png, 10, -1).ok);
    EXPECT_FALSE(buildDocx(png, std::nan(""), 10).ok);
}

}  // namespace
}  // namespace strikon

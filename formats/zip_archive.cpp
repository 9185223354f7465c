#include "formats/zip_archive.h"

#include <zip.h>

#include <cstdio>
#include <memory>

namespace strikon {
namespace {

using ZipBytes = ValueResult<QByteArray>;

ZipBytes failure(const char* what, zip_error_t* error) {
    return ZipBytes::failure(QStringLiteral("%1: %2").arg(
        QString::fromUtf8(what), QString::fromUtf8(zip_error_strerror(error))));
}

struct SourceUnref {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceUnref>;

// Adds one entry; the bytes must outlive the archive, which reads them only in zip_close.
bool addEntry(zip_t* za, const ZipEntry& entry) {
    zip_source_t* src =
        zip_source_buffer(za, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
    if (!src) {
        return false;
    }
    const QByteArray name = entry.name.toUtf8();
    const zip_int64_t index = zip_file_add(za, name.constData(), src, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(src);  // not taken over by the archive when adding fails
        return false;
    }
    if (!entry.compress && zip_set_file_compression(za, zip_uint64_t(index), ZIP_CM_STORE, 0) < 0) {
        return false;
    }
    return true;
}

// Reads the finished archive back out of the memory source.
ZipBytes readAll(zip_source_t* src) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(src, &st) < 0 || !(st.valid & ZIP_STAT_SIZE)) {
        return failure("reading the archive", zip_source_error(src));
    }
    if (zip_source_open(src) < 0) {
        return failure("reading the archive", zip_source_error(src));
    }
    QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
    const zip_int64_t n = zip_source_read(src, bytes.data(), st.size);
    zip_source_close(src);
    if (n < 0 || zip_uint64_t(n) != st.size) {
        return failure("reading the archive", zip_source_error(src));
    }
    return ZipBytes::success(std::move(bytes));
}

}  // namespace

ZipBytes buildZip(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    SourcePtr src(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!src) {
        const ZipBytes r = failure("creating the archive", &error);
        zip_error_fini(&error);
        return r;
    }
    zip_t* za = zip_open_from_source(src.get(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!za) {
        const ZipBytes r = failure("creating the archive", &error);
        zip_error_fini(&error);
        return r;
    }
    zip_error_fini(&error);
    // The archive now holds the source too; keep our reference to read the result after closing.
    zip_source_keep(src.get());

    for (const ZipEntry& entry : entries) {
        if (!addEntry(za, entry)) {
            const ZipBytes r = failure("adding a part", zip_get_error(za));
            zip_discard(za);
            return r;
        }
    }
    if (zip_close(za) < 0) {
        const ZipBytes r = failure("writing the archive", zip_get_error(za));
        zip_discard(za);
        return r;
    }
    return readAll(src.get());
}

}  // namespace strikon

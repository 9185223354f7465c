#pragma once
// Builds a zip archive in memory with libzip, so that the caller can write it to disk in one
// atomic step. Entry names are stored as UTF-8.

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/result.h"

namespace strikon {

struct ZipEntry {
    QString name;          // path inside the archive, '/' separated
    QByteArray bytes;      // contents
    bool compress = true;  // false stores it as is (already-compressed data such as PNG)
};

// The whole archive, entries in the given order; a failure carries libzip's reason.
ValueResult<QByteArray> buildZip(const std::vector<ZipEntry>& entries);

}  // namespace strikon

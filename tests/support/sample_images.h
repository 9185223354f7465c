#pragma once
// Pictures and file helpers shared by the writer tests.

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace strikon::test {

inline constexpr int kDpm300 = 11811;  // 300 dpi in dots per metre, as the bitmap header holds it

// A 300-dpi picture with hard edges: black bars on white (1, 2 and 3 px wide) in the upper half
// and red bars on pale yellow in the lower half, where halved colour resolution would smear.
QImage barsImage(int width = 120, int height = 80);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Names in a folder, hidden ones included, so a left-over temporary file is noticed.
QStringList entriesOf(const QString& folder);

}  // namespace strikon::test

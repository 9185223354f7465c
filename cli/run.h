#pragma once
// The program without its process: arguments in, messages and files out, exit status back.

#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace strikon::cli {

enum ExitStatus : int {
    kAllWritten = 0,
    kSomeRowsFailed = 1,  // a batch ran; the failing rows were reported
    kNotScanReady = 1,    // --check: a symbol grades below C or has a warning
    kRefused = 2,         // bad input or an unwritable file; nothing written
};

// Needs a QGuiApplication (fonts, painters). Help goes to `standardOutput`, as does PNG for
// "--output -"; messages and warnings go to `messages`.
int run(const QStringList& arguments, QTextStream& messages, std::FILE* standardOutput);

}  // namespace strikon::cli

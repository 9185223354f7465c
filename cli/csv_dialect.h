#pragma once
// How a spreadsheet saved a batch file. A spreadsheet in a Russian locale separates fields with
// semicolons (the comma is its decimal separator) and often writes Windows-1251, sometimes
// behind a UTF-8 byte-order mark; an English one writes commas. The options --delimiter and
// --encoding say it outright; what they leave open is read from the start of the file.

#include <QIODevice>
#include <QString>
#include <memory>

#include "cli/option_values.h"
#include "platform/result.h"

namespace strikon::cli {

enum class CsvEncoding { Utf8, Windows1251 };

struct CsvDialect {
    char delimiter = ',';
    CsvEncoding encoding = CsvEncoding::Utf8;
    QString notice;  // a guess the user should hear about, or empty
};

// values.delimiter: "," ";" "comma" or "semicolon"; values.encoding: "utf-8" or "windows-1251"
// (also "utf8", "cp1251"), any case. Without --delimiter the header row decides: semicolons
// when it holds more of them than commas. Without --encoding the file is UTF-8 unless its first
// kMaxRecordBytes are not, and then Windows-1251, which the notice says. The device is peeked,
// not read; lookAhead false peeks nothing (input read as it arrives, which a peek would wait
// for), and then what the options leave open is comma and UTF-8.
ValueResult<CsvDialect> settleCsvDialect(QIODevice& device, const OptionValues& values,
                                         bool lookAhead = true);

// The device to read records from: `device` itself for UTF-8, or a reader that turns the
// Windows-1251 bytes into UTF-8 (owned by `keep`).
QIODevice& utf8Source(QIODevice& device, const CsvDialect& dialect,
                      std::unique_ptr<QIODevice>& keep);

}  // namespace strikon::cli

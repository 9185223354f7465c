#pragma once
// Comma-separated records: fields in double quotes may hold commas, line breaks and doubled
// quotes (""); spaces around an unquoted field are dropped; empty lines are skipped; LF and
// CRLF both end a record. A record that breaks these rules carries its reason instead of
// fields, and reading goes on with the next line.

#include <QString>
#include <QStringList>
#include <vector>

namespace strikon::cli {

struct CsvRecord {
    int line = 0;  // 1-based line on which the record starts
    QStringList fields;
    QString error;  // empty for a well-formed record
};

// delimiter: ',' or ';', which then takes the comma's place in the rules above.
std::vector<CsvRecord> readCsv(const QString& text, char delimiter = ',');

}  // namespace strikon::cli

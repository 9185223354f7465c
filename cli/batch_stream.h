#pragma once
// A batch read from standard input as its rows arrive: each row is drawn, written and reported
// as soon as its line is read, so a caller that keeps the program running (a web shop's server,
// a label script) writes a row, waits for its report and has its file. Progress counts the rows
// without a total; a failing row is reported and the stream goes on.

#include <QIODevice>
#include <QString>
#include <QTextStream>

#include "cli/batch.h"
#include "cli/option_values.h"

namespace strikon::cli {

// Rows one at a time, in the order they come. Unlike a batch file, a name may be written again
// by a later row (the file is replaced, as a single call replaces it): a long-running caller
// renews its labels under the same names.
BatchOutcome runBatchStream(QIODevice& input, const QString& outputDir,
                            const OptionValues& defaults, QTextStream& messages);

// Standard input as a device that hands over whatever has arrived, instead of waiting for its
// buffer to fill (as QFile on a pipe does).
class ArrivingInput final : public QIODevice {
  public:
    explicit ArrivingInput(int fd = 0) : fd_(fd) {}
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    int fd_;
};

}  // namespace strikon::cli

#pragma once
// From option values to one checked job: a symbol the encoders can draw, its colours, its
// resolution and where it goes. Every refusal is one message that names the option and says
// what it expects; nothing here touches a file.

#include <QString>
#include <optional>

#include "cli/option_values.h"
#include "cli/output_format.h"
#include "platform/result.h"
#include "render/symbol_request.h"

namespace strikon::cli {

// Resolution of pictures when --dpi is not given, and the bounds it may take: below 72 the
// 0.33 mm modules fall apart into pixels, above 1200 an ITF-14 picture passes 100 million
// pixels.
inline constexpr int kDefaultDpi = 300;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 1200;

struct RenderJob {
    SymbolRequest symbol;  // colours included
    int dpi = kDefaultDpi;
    QString output;  // a path, or "-" for standard output
    SymbolFileFormat format = SymbolFileFormat::Png;
    QString warning;  // what the user should know (a wrong check digit, ...): lines, or empty

    double pxPerMm() const { return dpi / 25.4; }
    bool toStdout() const { return isStdoutPath(output); }
};

using JobResult = Result<RenderJob>;

// Checks every value and builds the job.
JobResult buildJob(const OptionValues& values);

}  // namespace strikon::cli

#pragma once
// A sheet of labels from the command line: the symbol's options as for one symbol, plus the
// layout, the paper, copies or a numbered run, and the labels already used. Checked whole
// before anything is written: a bad layout or a symbol larger than its label is one message.

#include <QString>
#include <optional>

#include "cli/batch.h"
#include "cli/render_job.h"
#include "platform/result.h"
#include "render/sheet_pages.h"

namespace strikon::cli {

// The most labels one sheet job makes: 400 pages of the smallest built-in layout.
inline constexpr int kMaxSheetLabels = 16000;

struct SheetJob {
    RenderJob symbol;  // the first label's symbol, the resolution and the output
    SheetContent content;
};

using SheetJobResult = Result<SheetJob>;

// values: the symbol's options and the sheet's. batch: when given, one label a row (its cells
// over `values`) instead of copies or a run.
SheetJobResult buildSheetJob(const OptionValues& values, const BatchRows* batch = nullptr);

// The PDF, written whole or not at all; the reason names the path.
WriteResult writeSheet(const SheetJob& job);

}  // namespace strikon::cli

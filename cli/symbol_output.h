#pragma once
// One job's file: the symbol encoded in the format its path asks for, then written whole or not
// at all.

#include <QByteArray>
#include <cstdio>

#include "cli/render_job.h"
#include "platform/atomic_write.h"
#include "platform/result.h"

namespace strikon::cli {

// The file's bytes: BMP and JPEG as Save As writes them, PNG with its density, SVG, PDF.
ValueResult<QByteArray> encodeSymbol(const RenderJob& job);

// Encodes, then replaces the file at job.output atomically, or writes to `standardOutput`
// when the output is "-". On failure nothing is written and the reason names the path.
// links: whether a symbolic link at job.output is followed (a name the user gave) or refused.
WriteResult writeSymbol(const RenderJob& job, std::FILE* standardOutput = stdout,
                        LinkPolicy links = LinkPolicy::Follow);

// For a batch: encodes and stages the file at job.output (see stageFile), to be committed
// with others; on failure nothing is written and the reason names the path, as above.
ValueResult<StagedFile> stageSymbol(const RenderJob& job, LinkPolicy links);
// The message for a staged file whose commit failed, naming the path as above; "" when it
// did not fail.
QString committedError(const RenderJob& job, const WriteResult& committed);

}  // namespace strikon::cli

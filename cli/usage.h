#pragma once
// The text of --help.

#include <QString>

namespace strikon::cli {

QString usageText();

}  // namespace strikon::cli

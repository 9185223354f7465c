#pragma once
// Why a file could not be written, in the window's language: the common refusals of the system
// in Russian, anything else in the system's own words.

#include <QString>

#include "app/language.h"
#include "platform/result.h"

namespace strikon {

QString writeReason(const WriteResult& result, Language language);

}  // namespace strikon

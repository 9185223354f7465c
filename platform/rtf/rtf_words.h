#pragma once
// Control words that open a destination whose text is not part of the shown document.

#include <QByteArrayView>

namespace strikon::rtf {

bool isHiddenDestination(QByteArrayView word);

}  // namespace strikon::rtf

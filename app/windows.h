#pragma once
// The secondary windows of the running program: created hidden at start-up, after the main
// window, and alive until the program ends.

#include "app/help/about_form.h"
#include "app/help/help_form.h"

namespace strikon {

inline TAboutForm* AboutForm = nullptr;
inline THelpForm* HelpForm = nullptr;

}  // namespace strikon

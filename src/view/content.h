#pragma once

#include "text/gb_text.h"

namespace penlark {

// The fixed texts the main window is built with. Lines are separated by CR LF.
const GbText& welcomeText();
const GbText& geographyHistoryTips();
const GbText& inspirationalQuotes();
const GbText& licenceText();

} // namespace penlark

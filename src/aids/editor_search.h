#pragma once

#include "text/gb_text.h"

namespace penlark {

struct App;

// The main window's editor, which the find and replace windows search.
inline constexpr const char* kEditorName = "编辑框1";

// Where the caret goes when a search finds nothing: it does not wrap around.
enum class SearchEnd { Start, End };

// Selects the hit (the term's bytes) in the editor; with no hit (-1), shows
// 找不到 “term” titled "记事本", gives the editor the focus back and puts the caret at the
// start or the end of its text with nothing selected.
void showSearchResult(App& app, int hit, const GbText& term, SearchEnd notFoundCaret);

} // namespace penlark

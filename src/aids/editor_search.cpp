#include "aids/editor_search.h"

#include "app/app.h"

namespace penlark {

void showSearchResult(App& app, int hit, const GbText& term, SearchEnd notFoundCaret)
{
    MainView& view = app.view;
    if (hit >= 0) {
        view.setSelection(kEditorName, hit, static_cast<int>(term.size()));
        return;
    }
    app.ui.messageBox("找不到 “"_gb + term + "”"_gb, mb::Ok | mb::IconInformation, "记事本"_gb);
    view.setFocus(kEditorName);
    const int caret = notFoundCaret == SearchEnd::End ? static_cast<int>(view.text(kEditorName).size()) : 0;
    view.setSelection(kEditorName, caret, 0);
}

} // namespace penlark

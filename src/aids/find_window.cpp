#include "aids/find_window.h"

#include "aids/editor_search.h"
#include "aids/text_search.h"
#include "app/app.h"
#include "view/form_builder.h"

namespace penlark {

namespace {

constexpr const char* kWindow = "FindWindow";
constexpr const char* kSearchBox = "编辑框1";
constexpr const char* kFindButton = "按钮1";

void wireFindWindow(App& app, View& window)
{
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };
    window.on(kWindow, EventKind::Created, run(onFindWindowCreated));
    window.on(kWindow, EventKind::CloseRequested, run(hideFindWindow));
    window.on(kSearchBox, EventKind::TextChanged, run(onFindTextChanged));
    window.on(kSearchBox, EventKind::KeyPressed, [&app](Event& event) {
        if (event.key != keys::Enter) return;
        event.handled = true;
        if (app.findWindow->enabled(kFindButton)) findNextInFindWindow(app);
    });
    window.on(kFindButton, EventKind::Clicked, run(findNextInFindWindow));
    window.on("按钮2", EventKind::Clicked, run(hideFindWindow));
}

} // namespace

Form findWindowForm()
{
    FormBuilder form;
    form.window(kWindow, "查找"_gb, 346, 126);
    form.add(ControlKind::Label, "标签1", "", 8, 16, 72, 16).text = "查找内容(&N):"_gb;
    form.add(ControlKind::EditBox, kSearchBox, "", 86, 14, 162, 20);
    Control& find = form.add(ControlKind::PushButton, kFindButton, "", 262, 13, 74, 24);
    find.caption = "查找下一个"_gb;
    find.enabled = false;
    form.add(ControlKind::PushButton, "按钮2", "", 262, 50, 74, 24).caption = "取消"_gb;
    form.add(ControlKind::CheckBox, "选择框1", "", 8, 63, 98, 24).text = "区分大小写(&C)"_gb;
    form.add(ControlKind::GroupBox, "分组框1", "", 107, 46, 133, 42).text = "方向"_gb;
    form.add(ControlKind::RadioButton, "单选框1", "分组框1", 4, 18, 64, 20).text = "向上(&U)"_gb;
    Control& down = form.add(ControlKind::RadioButton, "单选框2", "分组框1", 69, 18, 62, 20);
    down.text = "向下(&D)"_gb;
    down.checked = true;
    return form.build();
}

void openFindWindow(App& app)
{
    if (app.findWindow) {
        app.findWindow->setVisible(kWindow, true);
        app.ui.showWindow(*app.findWindow);
        return;
    }
    app.findWindow = std::make_unique<View>(findWindowForm());
    wireFindWindow(app, *app.findWindow);
    app.ui.showWindow(*app.findWindow);
    app.findWindow->raise(kWindow, EventKind::Created);
}

void onFindWindowCreated(App& app)
{
    View& window = *app.findWindow;
    window.setText(kSearchBox, app.state.lastSearchText);
    window.selectAll(kSearchBox);
}

void onFindTextChanged(App& app)
{
    View& window = *app.findWindow;
    window.setEnabled(kFindButton, !window.text(kSearchBox).empty());
}

void findNextInFindWindow(App& app)
{
    View& window = *app.findWindow;
    MainView& view = app.view;
    const bool matchCase = window.checked("选择框1");
    app.state.lastSearchText = window.text(kSearchBox);
    const GbText& term = app.state.lastSearchText;
    view.setFocus(kEditorName);

    // Downward from the end of the selection (the caret when nothing is selected); upward the
    // hit must end by the start of the selection.
    const GbText& text = view.text(kEditorName);
    const int selStart = view.selStart(kEditorName);
    if (window.checked("单选框2")) {
        const int hit = searchForward(text, term, selStart + view.selLength(kEditorName), matchCase);
        showSearchResult(app, hit, term, SearchEnd::End);
    } else {
        showSearchResult(app, searchBackward(text, term, selStart, matchCase), term, SearchEnd::Start);
    }
}

void hideFindWindow(App& app)
{
    View& window = *app.findWindow;
    window.setText(kSearchBox, app.state.lastSearchText);
    window.setVisible(kWindow, false);
    app.ui.hideWindow(window, false);
}

} // namespace penlark

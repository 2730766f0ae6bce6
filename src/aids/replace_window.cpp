#include "aids/replace_window.h"

#include "aids/editor_search.h"
#include "aids/text_search.h"
#include "app/app.h"
#include "view/form_builder.h"

namespace penlark {

namespace {

constexpr const char* kWindow = "ReplaceWindow";
constexpr const char* kSearchBox = "编辑框1";
constexpr const char* kReplacementBox = "编辑框2";

Control& pushButton(FormBuilder& form, const char* name, int top, const GbText& caption)
{
    Control& button = form.add(ControlKind::PushButton, name, "", 281, top, 87, 22);
    button.caption = caption;
    return button;
}

void wireReplaceWindow(App& app, View& window)
{
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };
    window.on(kWindow, EventKind::Created, run(onReplaceWindowCreated));
    window.on(kWindow, EventKind::CloseRequested, run(closeReplaceWindow));
    window.on(kSearchBox, EventKind::TextChanged, run(onReplaceTextChanged));
    window.on("按钮1", EventKind::Clicked, run(findNextInReplaceWindow));
    window.on("按钮2", EventKind::Clicked, run(replaceSelection));
    window.on("按钮3", EventKind::Clicked, run(replaceAll));
    window.on("按钮4", EventKind::Clicked, run(closeReplaceWindow));
}

} // namespace

Form replaceWindowForm()
{
    FormBuilder form;
    form.window(kWindow, "替换"_gb, 387, 176);
    form.add(ControlKind::Label, "标签1", "", 12, 7, 79, 24).text = "查找内容(&N):"_gb;
    form.add(ControlKind::EditBox, kSearchBox, "", 95, 8, 169, 20);
    form.add(ControlKind::Label, "标签2", "", 12, 32, 80, 24).text = "替换为(&P):"_gb;
    form.add(ControlKind::EditBox, kReplacementBox, "", 95, 35, 169, 20);
    pushButton(form, "按钮1", 10, "查找下一个(&F)"_gb).enabled = false;
    pushButton(form, "按钮2", 40, "替换(&R)"_gb).enabled = false;
    pushButton(form, "按钮3", 70, "全部替换(&A)"_gb).enabled = false;
    pushButton(form, "按钮4", 100, "取消"_gb);
    form.add(ControlKind::CheckBox, "选择框1", "", 12, 90, 112, 24).text = "区分大小写(&C)"_gb;
    return form.build();
}

void openReplaceWindow(App& app)
{
    if (app.replaceWindow) {
        app.ui.showWindow(*app.replaceWindow);
        return;
    }
    app.replaceWindow = std::make_unique<View>(replaceWindowForm());
    wireReplaceWindow(app, *app.replaceWindow);
    app.ui.showWindow(*app.replaceWindow);
    app.replaceWindow->raise(kWindow, EventKind::Created);
}

void onReplaceWindowCreated(App& app)
{
    View& window = *app.replaceWindow;
    window.setText(kSearchBox, app.state.lastSearchText);
    window.selectAll(kSearchBox);
}

void onReplaceTextChanged(App& app)
{
    View& window = *app.replaceWindow;
    const bool usable = !window.text(kSearchBox).empty();
    for (const char* button : {"按钮1", "按钮2", "按钮3"}) window.setEnabled(button, usable);
}

void findNextInReplaceWindow(App& app)
{
    View& window = *app.replaceWindow;
    MainView& view = app.view;
    app.state.replaceMatchCase = window.checked("选择框1");
    app.state.lastSearchText = window.text(kSearchBox);
    const GbText& term = app.state.lastSearchText;
    view.setFocus(kEditorName);
    const int start = view.selStart(kEditorName) + view.selLength(kEditorName);
    showSearchResult(app, searchForward(view.text(kEditorName), term, start, app.state.replaceMatchCase), term,
                     SearchEnd::End);
}

void replaceSelection(App& app)
{
    MainView& view = app.view;
    if (view.selLength(kEditorName) == 0) {
        findNextInReplaceWindow(app);
        return;
    }
    // Whatever is selected goes, matching or not; the next click searches again.
    view.replaceSelectedText(kEditorName, app.replaceWindow->text(kReplacementBox));
}

void replaceAll(App& app)
{
    const View& window = *app.replaceWindow;
    MainView& view = app.view;
    const GbText& term = window.text(kSearchBox);
    const GbText& text = view.text(kEditorName);
    if (term.empty() || text.empty()) return;
    // The case rule is the one of the last find-next, not the box as it stands now.
    view.setText(kEditorName, replaceAllOccurrences(text, term, window.text(kReplacementBox), app.state.replaceMatchCase));
}

void closeReplaceWindow(App& app)
{
    // The binding lets go of the model at once and of its widgets later, so the model may go
    // even while one of its own handlers is running (nothing of it is touched afterwards).
    app.ui.hideWindow(*app.replaceWindow, true);
    app.replaceWindow.reset();
}

} // namespace penlark

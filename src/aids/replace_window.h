#pragma once

#include "view/control.h"

namespace penlark {

struct App;

// "ReplaceWindow" as it stands when built.
Form replaceWindowForm();

// Ctrl+H and "替换文本 ctrl+H": builds the window anew when none is open and runs its created
// handler; an open one is only activated.
void openReplaceWindow(App& app);

// Run on the open window (App::replaceWindow).
// Created: the last searched text, all of it selected; the replacement box empty.
void onReplaceWindowCreated(App& app);
// The three action buttons are usable exactly while the search box holds text.
void onReplaceTextChanged(App& app);
// Searches the editor downward from its selection and selects the hit; records the case box
// for "全部替换". Without a hit, says so and puts the caret at the end.
void findNextInReplaceWindow(App& app);
// Replaces whatever is selected in the editor by the replacement box's text, as an edit of
// the editor; with nothing selected, finds the next occurrence instead.
void replaceSelection(App& app);
// Replaces every occurrence of the search box's text in the editor at once, with the case
// rule of the last find-next.
void replaceAll(App& app);
// "取消" and the close box: the window is destroyed with its boxes' contents.
void closeReplaceWindow(App& app);

} // namespace penlark

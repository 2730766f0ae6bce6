#pragma once

#include "view/control.h"

namespace penlark {

struct App;

// "FindWindow" as it stands when built.
Form findWindowForm();

// Ctrl+F and "查找文本 ctrl+F": builds the window on first use and runs its created handler;
// afterwards only shows and activates it, with its boxes as they were left.
void openFindWindow(App& app);

// Run on the window (App::findWindow).
// Created: the last searched text, all of it selected.
void onFindWindowCreated(App& app);
// The find button is usable exactly while the search box holds text.
void onFindTextChanged(App& app);
// Searches the editor from its selection in the chosen direction and selects the hit; without
// one, says so and puts the caret at the end (downward) or the start (upward).
void findNextInFindWindow(App& app);
// "取消" and the close box: drops unsearched edits of the search box and hides the window,
// which lives on until the program ends.
void hideFindWindow(App& app);

} // namespace penlark

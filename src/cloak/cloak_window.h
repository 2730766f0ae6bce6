#pragma once

#include "view/control.h"

namespace penlark {

struct App;

// The folder tool's window "CloakWindow" as it stands when built.
Form cloakWindowForm();

// "打开文件加密器": builds the window from its form and runs its created handler when none
// is open; an open one is only brought to the front.
void openCloakWindow(App& app);

// Run on the open window (App::cloakWindow).
// Created: shows the lock panel, caret in the entry box, when a password is stored.
void onCloakWindowCreated(App& app);
// Sets both action buttons and the status text from the path box.
void checkFolder(App& app);
// Opens the folder that holds the path box's folder in the file manager.
void showParentFolder(App& app);
void onChooseFolder(App& app);
void onCloakFolder(App& app);
void onRestoreFolder(App& app);
void onPasswordEntryChanged(App& app);
void onSetPasswordChanged(App& app);
void onSetPasswordFocusLost(App& app);
void onDeletePassword(App& app);
// The close box: the window is destroyed, and the next opening starts from the form.
void closeCloakWindow(App& app);

// Connects the launcher on the settings panel.
void wireCloakLauncher(App& app);

} // namespace penlark

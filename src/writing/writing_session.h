#pragma once

#include "text/gb_text.h"

namespace penlark {

struct App;

// The start button: asks for a title, starts a session, or saves the one in progress.
// Also run by Enter in the title box, the diary button and document loading.
void startAction(App& app);

// Idle to writing: locks the title, opens the editor on the title line (unless a loaded
// document is starting, which fills the editor itself).
void beginSession(App& app);

// Saves the editor's text over the opened document or through the save dialog, then returns
// the window to idle. A cancelled question or dialog, or a write that fails, leaves the
// session as it was.
void saveSession(App& app);

// Writing to idle: puts `closingNotice` into the editor, clears the title and the document
// path, then shows `message` (no box when it is empty).
void endSessionView(App& app, const GbText& closingNotice, const GbText& message);

// The closing notices of a save and of an abandon.
const GbText& savedNotice();
const GbText& clearedNotice();

void wireWritingSession(App& app);

} // namespace penlark

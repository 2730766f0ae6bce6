#pragma once

#include "view/view.h"

namespace penlark {

// The main window "MainWindow" and its controls, built from its form.
class MainView : public View {
public:
    MainView();
};

} // namespace penlark

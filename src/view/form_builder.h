#pragma once

#include "view/control.h"

#include <string>

namespace penlark {

// Small helper that keeps a form table readable: one add() per control, then the few
// properties that differ from the kind's defaults.
class FormBuilder {
public:
    Control& window(std::string name, GbText caption, int width, int height);
    Control& add(ControlKind kind, std::string name, std::string parent, int left, int top, int width, int height);
    Control& addOnPage(ControlKind kind, std::string name, std::string tabControl, int page, int left, int top,
                       int width, int height);
    Control& addComponent(ControlKind kind, std::string name);
    Form build() { return std::move(form_); }

private:
    Form form_;
};

} // namespace penlark

#include "view/form_builder.h"

namespace penlark {

namespace {
const FontSpec kDefaultGuiFont{"SimSun", 9, false};
}

Control& FormBuilder::window(std::string name, GbText caption, int width, int height)
{
    Control& control = addComponent(ControlKind::Window, std::move(name));
    control.text = std::move(caption);
    control.width = width;
    control.height = height;
    return control;
}

Control& FormBuilder::add(ControlKind kind, std::string name, std::string parent, int left, int top, int width,
                          int height)
{
    Control& control = addComponent(kind, std::move(name));
    control.parent = std::move(parent);
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    return control;
}

Control& FormBuilder::addOnPage(ControlKind kind, std::string name, std::string tabControl, int page, int left,
                                int top, int width, int height)
{
    Control& control = add(kind, std::move(name), std::move(tabControl), left, top, width, height);
    control.page = page;
    return control;
}

Control& FormBuilder::addComponent(ControlKind kind, std::string name)
{
    Control control;
    control.kind = kind;
    control.name = std::move(name);
    control.font = kDefaultGuiFont;
    if (kind == ControlKind::Label || kind == ControlKind::GroupBox) control.border = false;
    form_.controls.push_back(std::move(control));
    return form_.controls.back();
}

} // namespace penlark

#include "view/view.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>

namespace penlark {

namespace {
constexpr int kStatusBarHeight = 24;

// The window's size is kept as given, however absurd; docked geometry saturates rather than
// wrapping around.
int saturated(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }
} // namespace

View::View(Form form) : controls_(std::move(form.controls))
{
    if (controls_.empty() || controls_.front().kind != ControlKind::Window)
        throw std::invalid_argument("a form starts with its window");
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (!index_.emplace(controls_[i].name, i).second)
            throw std::invalid_argument("duplicate control name " + controls_[i].name);
    }
    dockStatusBars();
}

bool View::has(std::string_view name) const { return index_.contains(std::string(name)); }

const Control& View::control(std::string_view name) const
{
    const auto found = index_.find(std::string(name));
    if (found == index_.end()) throw std::out_of_range("no control named " + std::string(name));
    return controls_[found->second];
}

Control& View::mutableControl(std::string_view name) { return const_cast<Control&>(control(name)); }

void View::notify(const Control& control, Property property)
{
    if (observer_ != nullptr) observer_->propertyChanged(control, property);
}

GbText View::itemText(std::string_view name, int index) const
{
    const auto& items = control(name).items;
    if (index < 0 || index >= static_cast<int>(items.size())) return {};
    return items[static_cast<std::size_t>(index)];
}

GbText View::currentItemText(std::string_view name) const { return itemText(name, selectedIndex(name)); }

void View::setText(std::string_view name, GbText value)
{
    Control& target = mutableControl(name);
    target.text = std::move(value);
    if (target.kind == ControlKind::EditBox) {
        // A new text puts the caret at the start, as an edit control does.
        target.selStart = 0;
        target.selLength = 0;
    }
    notify(target, Property::Text);
    if (target.kind == ControlKind::EditBox) raise(name, EventKind::TextChanged);
}

void View::setCaption(std::string_view name, GbText value)
{
    Control& target = mutableControl(name);
    target.caption = std::move(value);
    notify(target, Property::Caption);
}

void View::setEnabled(std::string_view name, bool value)
{
    Control& target = mutableControl(name);
    if (target.enabled == value) return;
    target.enabled = value;
    notify(target, Property::Enabled);
}

void View::setVisible(std::string_view name, bool value)
{
    Control& target = mutableControl(name);
    if (target.visible == value) return;
    target.visible = value;
    notify(target, Property::Visible);
}

void View::setChecked(std::string_view name, bool value)
{
    Control& target = mutableControl(name);
    if (target.checked == value) return;
    target.checked = value;
    notify(target, Property::Checked);
}

void View::setSelectedIndex(std::string_view name, int value)
{
    Control& target = mutableControl(name);
    const int last = static_cast<int>(target.items.size()) - 1;
    target.selectedIndex = value > last ? last : std::max(value, -1);
    notify(target, Property::SelectedIndex);
}

void View::setSelectedColor(std::string_view name, Color value)
{
    Control& target = mutableControl(name);
    target.selectedColor = value;
    notify(target, Property::SelectedColor);
}

void View::setLeft(std::string_view name, int value)
{
    Control& target = mutableControl(name);
    target.left = value;
    notify(target, Property::Geometry);
}

void View::setTop(std::string_view name, int value)
{
    Control& target = mutableControl(name);
    target.top = value;
    notify(target, Property::Geometry);
}

void View::setWidth(std::string_view name, int value)
{
    if (name == windowName()) return setWindowSize(value, window().height);
    Control& target = mutableControl(name);
    target.width = value;
    notify(target, Property::Geometry);
}

void View::setHeight(std::string_view name, int value)
{
    if (name == windowName()) return setWindowSize(window().width, value);
    Control& target = mutableControl(name);
    target.height = value;
    notify(target, Property::Geometry);
}

void View::setWindowSize(int width, int height)
{
    Control& target = controls_.front();
    if (target.width == width && target.height == height) return;
    target.width = width;
    target.height = height;
    dockStatusBars();
    notify(target, Property::Geometry);
    raise(target.name, EventKind::SizeChanged);
}

void View::setFrameExtents(int horizontal, int vertical)
{
    frameWidth_ = horizontal;
    frameHeight_ = vertical;
    dockStatusBars();
}

void View::dockStatusBars()
{
    const Control& frame = controls_.front();
    for (Control& bar : controls_) {
        if (bar.kind != ControlKind::StatusBar) continue;
        bar.left = 0;
        bar.width = saturated(std::int64_t{frame.width} - frameWidth_);
        bar.height = kStatusBarHeight;
        bar.top = saturated(std::int64_t{frame.height} - frameHeight_ - kStatusBarHeight);
        notify(bar, Property::Geometry);
    }
}

void View::setBackColor(std::string_view name, Color value)
{
    Control& target = mutableControl(name);
    target.backColor = value;
    notify(target, Property::BackColor);
}

void View::setTextColor(std::string_view name, Color value)
{
    Control& target = mutableControl(name);
    target.textColor = value;
    notify(target, Property::TextColor);
}

void View::setFontSize(std::string_view name, double points)
{
    Control& target = mutableControl(name);
    target.font.points = points;
    notify(target, Property::Font);
}

void View::setAlignment(std::string_view name, int value)
{
    Control& target = mutableControl(name);
    target.alignment = value;
    notify(target, Property::Alignment);
}

void View::setSelection(std::string_view name, int start, int length)
{
    Control& target = mutableControl(name);
    const int size = static_cast<int>(target.text.size());
    target.selStart = std::clamp(start, 0, size);
    target.selLength = std::clamp(length, 0, size - target.selStart);
    notify(target, Property::Selection);
}

void View::setPicture(std::string_view name, Picture value)
{
    Control& target = mutableControl(name);
    target.picture = value;
    notify(target, Property::Picture);
}

void View::setButtonColors(std::string_view name, const ButtonColors& colors)
{
    Control& target = mutableControl(name);
    target.buttonColors = colors;
    notify(target, Property::ButtonColors);
}

void View::setInterval(std::string_view name, int milliseconds)
{
    Control& target = mutableControl(name);
    target.interval = milliseconds;
    notify(target, Property::Interval);
}

void View::setWindowState(WindowState state)
{
    Control& target = controls_.front();
    target.windowState = state;
    notify(target, Property::WindowState);
}

void View::setTopMost(bool value)
{
    Control& target = controls_.front();
    target.topMost = value;
    notify(target, Property::TopMost);
}

void View::setStatusPart(std::string_view statusBar, int panel, GbText value)
{
    Control& target = mutableControl(statusBar);
    if (panel < 0 || panel >= static_cast<int>(target.panels.size())) return;
    target.panels[static_cast<std::size_t>(panel)].text = std::move(value);
    notify(target, Property::StatusPanels);
}

void View::setStatusPartWidth(std::string_view statusBar, int panel, int width)
{
    Control& target = mutableControl(statusBar);
    if (panel < 0 || panel >= static_cast<int>(target.panels.size())) return;
    target.panels[static_cast<std::size_t>(panel)].width = std::max(width, -1);
    notify(target, Property::StatusPanels);
}

const StatusPanel& View::statusPart(std::string_view statusBar, int panel) const
{
    return control(statusBar).panels.at(static_cast<std::size_t>(panel));
}

void View::deleteAllRows(std::string_view listView)
{
    Control& target = mutableControl(listView);
    target.items.clear();
    notify(target, Property::Items);
}

void View::insertRow(std::string_view listView, int position, GbText value)
{
    Control& target = mutableControl(listView);
    const auto at = static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(target.items.size())));
    target.items.insert(target.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
    notify(target, Property::Items);
}

void View::setFocus(std::string_view name)
{
    const Control& target = control(name);
    focused_ = target.name;
    notify(target, Property::Focus);
}

void View::selectAll(std::string_view name)
{
    Control& target = mutableControl(name);
    target.selStart = 0;
    target.selLength = static_cast<int>(target.text.size());
    notify(target, Property::Selection);
}

void View::replaceSelectedText(std::string_view name, GbText replacement)
{
    const Control& target = control(name);
    const bool removes = target.selLength > 0;
    if (removes) editText(name, target.selStart, target.selLength, GbText(), false);
    // The removal's handler may have moved the caret; the insertion goes where it now is.
    if (!replacement.empty()) editText(name, control(name).selStart, 0, replacement, removes);
}

void View::editText(std::string_view name, int start, int length, const GbText& inserted, bool joinPrevious)
{
    Control& target = mutableControl(name);
    const int size = static_cast<int>(target.text.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    const bool mirrored = observer_ != nullptr && observer_->editRequested(target, start, length, inserted, joinPrevious);
    const auto at = static_cast<std::size_t>(start);
    target.text = target.text.substr(0, at) + inserted + target.text.substr(at + static_cast<std::size_t>(length));
    target.selStart = start + static_cast<int>(inserted.size());
    target.selLength = 0;
    if (!mirrored) {
        notify(target, Property::Text);
        notify(target, Property::Selection);
    }
    raise(name, EventKind::TextChanged);
}

void View::raiseWindow()
{
    if (observer_ != nullptr) observer_->raiseRequested(controls_.front());
}

void View::on(std::string_view name, EventKind kind, Handler handler)
{
    handlers_[{std::string(name), kind}] = std::move(handler);
}

bool View::hasHandler(std::string_view name, EventKind kind) const
{
    return handlers_.contains({std::string(name), kind});
}

bool View::raise(Event& event)
{
    const auto found = handlers_.find({event.control, event.kind});
    if (found == handlers_.end()) return false;
    // A copy, so a handler may replace handlers while it runs.
    Handler handler = found->second;
    handler(event);
    return true;
}

bool View::raise(std::string_view name, EventKind kind)
{
    Event event;
    event.kind = kind;
    event.control = std::string(name);
    return raise(event);
}

void View::userEditText(std::string_view name, GbText value)
{
    Control& target = mutableControl(name);
    target.text = std::move(value);
    target.selStart = std::min(target.selStart, static_cast<int>(target.text.size()));
    target.selLength = std::min(target.selLength, static_cast<int>(target.text.size()) - target.selStart);
    raise(name, EventKind::TextChanged);
}

void View::userSelect(std::string_view name, int start, int length)
{
    Control& target = mutableControl(name);
    target.selStart = start;
    target.selLength = length;
}

void View::userClick(std::string_view name)
{
    Control& target = mutableControl(name);
    if (target.kind == ControlKind::CheckBox) target.checked = !target.checked;
    if (target.kind == ControlKind::RadioButton) {
        // Choosing one radio button clears the others of the same parent.
        for (Control& other : controls_) {
            if (other.kind == ControlKind::RadioButton && other.parent == target.parent) other.checked = false;
        }
        target.checked = true;
    }
    raise(name, EventKind::Clicked);
}

void View::userSelectIndex(std::string_view name, int index)
{
    Control& target = mutableControl(name);
    target.selectedIndex = index;
    raise(name, target.kind == ControlKind::TabControl ? EventKind::PageChanged : EventKind::ItemSelected);
}

void View::userPickColor(std::string_view name, Color value)
{
    mutableControl(name).selectedColor = value;
    raise(name, EventKind::ColorChanged);
}

void View::userResize(int outerWidth, int outerHeight) { setWindowSize(outerWidth, outerHeight); }

void View::userChangeWindowState(WindowState state) { controls_.front().windowState = state; }

void View::userFocus(std::string_view name) { focused_ = control(name).name; }

void View::userLeaveFocus(std::string_view name)
{
    if (focused_ == name) focused_.clear();
    raise(name, EventKind::FocusLost);
}

bool View::userKey(std::string_view name, int key, int modifiers)
{
    Event event;
    event.kind = EventKind::KeyPressed;
    event.control = std::string(name);
    event.key = key;
    event.modifiers = modifiers;
    raise(event);
    return event.handled;
}

void View::userLeftButtonDown(std::string_view name) { raise(name, EventKind::LeftButtonDown); }

void View::userDropFiles(std::vector<std::filesystem::path> paths)
{
    Event event;
    event.kind = EventKind::FileDropped;
    event.control = windowName();
    event.paths = std::move(paths);
    raise(event);
}

void View::userTrayEvent(int trayEvent)
{
    Event event;
    event.kind = EventKind::TrayEvent;
    event.control = windowName();
    event.trayEvent = trayEvent;
    raise(event);
}

void View::timerFired(std::string_view timer)
{
    if (control(timer).interval > 0) raise(timer, EventKind::Timer);
}

} // namespace penlark

#pragma once

#include "view/control.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace penlark {

enum class Property {
    Geometry,
    Visible,
    Enabled,
    Text,
    Caption,
    BackColor,
    TextColor,
    Font,
    Alignment,
    Selection,
    Checked,
    SelectedIndex,
    Items,
    Picture,
    ButtonColors,
    Interval,
    SelectedColor,
    WindowState,
    TopMost,
    StatusPanels,
    Focus,
};

enum class EventKind {
    Created,
    Destroying,
    SizeChanged,
    TrayEvent,
    Clicked,
    TextChanged,
    KeyPressed,
    LeftButtonDown,
    ItemSelected,
    PageChanged,
    ColorChanged,
    Timer,
    FileDropped,
    FocusLost,
    CloseRequested,
};

// Windows virtual-key codes are the key vocabulary; modifiers add Ctrl 1, Shift 2, Alt 4.
namespace keys {
constexpr int Enter = 13;
constexpr int A = 65;
constexpr int F = 70;
constexpr int H = 72;
constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int F5 = 116;
constexpr int F12 = 123;
constexpr int Ctrl = 1;
constexpr int Shift = 2;
constexpr int Alt = 4;
} // namespace keys

namespace tray {
constexpr int LeftClick = 1;
constexpr int DoubleClick = 2;
constexpr int RightClick = 3;
} // namespace tray

struct Event {
    EventKind kind = EventKind::Clicked;
    std::string control;
    int key = 0;        // KeyPressed: virtual-key code
    int modifiers = 0;  // KeyPressed: Ctrl 1 + Shift 2 + Alt 4
    int trayEvent = 0;  // TrayEvent
    std::vector<std::filesystem::path> paths;  // FileDropped, native paths
    bool handled = false;  // a KeyPressed handler sets it to keep the key from the control
};

using Handler = std::function<void(Event&)>;

// What the binding needs to hear of program writes.
class ViewObserver {
public:
    virtual ~ViewObserver() = default;
    virtual void propertyChanged(const Control& control, Property property) = 0;
    virtual void selectAllRequested(const Control&) {}
    // The window is to come above all other windows and take the focus, once.
    virtual void raiseRequested(const Control&) {}
    // An edit box's bytes [start, start + length) of its current text are about to become
    // `inserted`, as an edit the user can undo; `joinPrevious` makes it one undo step with the
    // edit before. Returning false leaves the result to the ordinary text and selection changes.
    virtual bool editRequested(const Control&, int /*start*/, int /*length*/, const GbText& /*inserted*/,
                               bool /*joinPrevious*/)
    {
        return false;
    }
};

// A window as data: its form, its current properties and its event handlers. Handlers and
// tests write properties here; the binding mirrors them into widgets and reports user
// actions through the user* entry points, which update the model first and then raise the
// event once.
class View {
public:
    explicit View(Form form);
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    virtual ~View() = default;

    const std::vector<Control>& controls() const { return controls_; }
    const Control& window() const { return controls_.front(); }
    const std::string& windowName() const { return controls_.front().name; }
    bool has(std::string_view name) const;
    const Control& control(std::string_view name) const;

    void setObserver(ViewObserver* observer) { observer_ = observer; }

    // Reads.
    const GbText& text(std::string_view name) const { return control(name).text; }
    const GbText& caption(std::string_view name) const { return control(name).caption; }
    bool enabled(std::string_view name) const { return control(name).enabled; }
    bool visible(std::string_view name) const { return control(name).visible; }
    bool checked(std::string_view name) const { return control(name).checked; }
    int selectedIndex(std::string_view name) const { return control(name).selectedIndex; }
    Color selectedColor(std::string_view name) const { return control(name).selectedColor; }
    int left(std::string_view name) const { return control(name).left; }
    int top(std::string_view name) const { return control(name).top; }
    int width(std::string_view name) const { return control(name).width; }
    int height(std::string_view name) const { return control(name).height; }
    int selStart(std::string_view name) const { return control(name).selStart; }
    int selLength(std::string_view name) const { return control(name).selLength; }
    int interval(std::string_view name) const { return control(name).interval; }
    Picture picture(std::string_view name) const { return control(name).picture; }
    double fontSize(std::string_view name) const { return control(name).font.points; }
    Color backColor(std::string_view name) const { return control(name).backColor; }
    Color textColor(std::string_view name) const { return control(name).textColor; }
    const ButtonColors& buttonColors(std::string_view name) const { return control(name).buttonColors; }
    // The item's text, or empty text outside the items.
    GbText itemText(std::string_view name, int index) const;
    // The text of the current item, empty when none.
    GbText currentItemText(std::string_view name) const;
    const std::string& focused() const { return focused_; }

    // Program writes. Writing an edit box's text raises its TextChanged once, after the text is
    // in place; writing the window's size raises SizeChanged when it changes; no other write
    // raises an event.
    void setText(std::string_view name, GbText value);
    void setCaption(std::string_view name, GbText value);
    void setEnabled(std::string_view name, bool value);
    void setVisible(std::string_view name, bool value);
    void setChecked(std::string_view name, bool value);
    // Above the last item selects the last item; below -1 selects nothing (-1).
    void setSelectedIndex(std::string_view name, int value);
    void setSelectedColor(std::string_view name, Color value);
    void setLeft(std::string_view name, int value);
    void setTop(std::string_view name, int value);
    void setWidth(std::string_view name, int value);
    void setHeight(std::string_view name, int value);
    void setBackColor(std::string_view name, Color value);
    void setTextColor(std::string_view name, Color value);
    void setFontSize(std::string_view name, double points);
    void setAlignment(std::string_view name, int value);
    void setSelection(std::string_view name, int start, int length);
    void setSelStart(std::string_view name, int value) { setSelection(name, value, control(name).selLength); }
    void setSelLength(std::string_view name, int value) { setSelection(name, control(name).selStart, value); }
    void setPicture(std::string_view name, Picture value);
    void setButtonColors(std::string_view name, const ButtonColors& colors);
    void setInterval(std::string_view name, int milliseconds);
    void setWindowState(WindowState state);
    void setTopMost(bool value);

    // Operations.
    void setStatusPart(std::string_view statusBar, int panel, GbText value);
    // A width below -1 counts as -1, which stretches the panel to the right edge.
    void setStatusPartWidth(std::string_view statusBar, int panel, int width);
    const StatusPanel& statusPart(std::string_view statusBar, int panel) const;
    void deleteAllRows(std::string_view listView);
    // A position past the end appends.
    void insertRow(std::string_view listView, int position, GbText value);
    const std::vector<GbText>& rows(std::string_view listView) const { return control(listView).items; }
    void setFocus(std::string_view name);
    void selectAll(std::string_view name);
    // Replaces an edit box's selection by `replacement` as an edit of the box (undoable where
    // the platform has undo), leaving the caret after it with nothing selected. TextChanged is
    // raised as for a user's edit: once for the removal, once for the insertion (each only
    // when there is something to remove or insert).
    void replaceSelectedText(std::string_view name, GbText replacement);
    // Brings the window above all others once, without keeping it there.
    void raiseWindow();

    // Handlers.
    void on(std::string_view name, EventKind kind, Handler handler);
    bool hasHandler(std::string_view name, EventKind kind) const;
    // Raises an event to its handler, if any; returns whether one ran.
    bool raise(Event& event);
    bool raise(std::string_view name, EventKind kind);

    // What the user does, reported by the binding (or a test): the model changes first, then
    // the event is raised once.
    void userEditText(std::string_view name, GbText value);
    void userSelect(std::string_view name, int start, int length);
    void userClick(std::string_view name);
    void userSelectIndex(std::string_view name, int index);
    void userPickColor(std::string_view name, Color value);
    void userResize(int outerWidth, int outerHeight);
    void userChangeWindowState(WindowState state);
    void userFocus(std::string_view name);
    void userLeaveFocus(std::string_view name);
    bool userKey(std::string_view name, int key, int modifiers);
    void userLeftButtonDown(std::string_view name);
    void userDropFiles(std::vector<std::filesystem::path> paths);
    void userTrayEvent(int trayEvent);
    void timerFired(std::string_view timer);

    // The client area the platform gives the window (outer size less frame and title bar);
    // docked controls follow it.
    void setFrameExtents(int horizontal, int vertical);
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }

private:
    Control& mutableControl(std::string_view name);
    void notify(const Control& control, Property property);
    void dockStatusBars();
    void setWindowSize(int width, int height);
    void editText(std::string_view name, int start, int length, const GbText& inserted, bool joinPrevious);

    std::vector<Control> controls_;
    std::unordered_map<std::string, std::size_t> index_;
    std::map<std::pair<std::string, EventKind>, Handler> handlers_;
    ViewObserver* observer_ = nullptr;
    std::string focused_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};

} // namespace penlark

#pragma once

#include "text/gb_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace penlark {

enum class ControlKind {
    Window,
    EditBox,
    FlatButton,
    PushButton,
    Label,
    GroupBox,
    CheckBox,
    RadioButton,
    ComboBox,
    ColorPicker,
    PictureBox,
    TabControl,
    ListView,
    StatusBar,
    Timer,
    OpenFileDialog,
    SaveFileDialog,
    DropTarget,
    AudioPlayer,
    AudioRecorder,
};

// The images a picture box or window can show; the platform draws them.
enum class Picture { None, Microphone, MicrophoneRecording, Tools, Wrench, ProgramIcon, Padlock, Folder };

enum class WindowState { Normal, Minimised, Maximised };

// 0xBBGGRR, as stored in setting.ini.
using Color = std::int32_t;
constexpr Color kNoColor = -1;  // the platform's default colour

struct FontSpec {
    std::string face;  // UTF-8 family name; empty: the default GUI font
    double points = 9;
    bool light = false;
};

struct ButtonColors {
    Color normalText = 0xFFFFFF;
    Color normalBack = 0xFF8800;
    Color hoverText = 0xFFFFFF;
    Color hoverBack = 0xC06000;
    Color focusText = 0xFFFFFF;
    Color focusBack = 0xFF8800;
};

struct StatusPanel {
    int width = -1;  // -1 stretches to the right edge
    bool border = false;
    GbText text;
};

// One control of a form: its static description and its current properties. Programs read
// properties through View; only View writes them, so every change reaches the binding.
struct Control {
    std::string name;  // the control's own name, UTF-8 (an identifier, never shown)
    ControlKind kind = ControlKind::Label;
    std::string parent;  // empty: the window itself
    int page = -1;       // page of the parent tab control, -1 when the parent is no tab control

    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;

    GbText text;
    GbText caption;
    GbText tooltip;
    Color backColor = kNoColor;
    Color textColor = kNoColor;
    FontSpec font;
    int alignment = 0;  // 0 left, 1 centred
    int selStart = 0;
    int selLength = 0;
    bool checked = false;
    int selectedIndex = -1;
    std::vector<GbText> items;  // combo items, list rows, tab page captions
    Picture picture = Picture::None;
    ButtonColors buttonColors;
    int interval = 0;
    Color selectedColor = 0;
    WindowState windowState = WindowState::Normal;
    bool topMost = false;
    std::vector<StatusPanel> panels;

    // Static style, fixed by the form.
    bool multiLine = false;
    bool readOnly = false;
    bool border = true;
    bool sunken = false;
    bool verticalScrollBar = false;
    bool wordWrap = false;
    bool integerInput = false;  // only "-" and digits may be typed
    bool ibeamCursor = false;
    GbText filter;            // file dialogs: "description|pattern|..." pairs
    GbText defaultExtension;  // save dialogs
};

// A window's form: the window itself first, then its controls in creation order.
struct Form {
    std::vector<Control> controls;
};

} // namespace penlark

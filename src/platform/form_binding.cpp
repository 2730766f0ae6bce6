#include "platform/form_binding.h"

#include "platform/form_widgets.h"
#include "platform/key_codes.h"
#include "platform/qt_convert.h"
#include "text/editor_positions.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>

static void initAssets() { Q_INIT_RESOURCE(assets); }

namespace penlark {

void initPlatformResources() { initAssets(); }

namespace {

// The smallest window a person can still use; a saved size below it is raised to it.
constexpr int kUsableWidth = 480;
constexpr int kUsableHeight = 320;

class UpdateGuard {
public:
    explicit UpdateGuard(int& depth) : depth_(depth) { ++depth_; }
    ~UpdateGuard() { --depth_; }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

private:
    int& depth_;
};

QString widgetText(const GbText& text)
{
    const std::u16string utf16 = widgetTextOf(text);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

GbText modelText(const QString& text)
{
    return textOfWidget(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<std::size_t>(text.size())));
}

void setRole(QWidget* widget, QPalette::ColorRole role, Color colour)
{
    if (colour == kNoColor) return;
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));  // every colour group, the disabled one too
    widget->setPalette(palette);
}

} // namespace

FormWindow::FormWindow(FormBinding& binding, QWidget* owner)
    : QWidget(owner, owner != nullptr ? Qt::Window | Qt::Tool : Qt::Window), binding_(binding)
{
}

void FormWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    binding_.windowResized(size());
}

void FormWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    binding_.windowShown();
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    if (binding_.windowClosing()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) binding_.windowStateChanged();
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event)
{
    binding_.filesDropped(event->mimeData()->urls());
    event->acceptProposedAction();
}

FormBinding::FormBinding(View& view, QWidget* owner) : view_(view), main_(owner == nullptr)
{
    window_ = new FormWindow(*this, owner);
    build();
    view_.setObserver(this);
}

FormBinding::~FormBinding()
{
    detach();
    for (auto& [name, timer] : timers_) timer->stop();
    delete window_.data();
}

void FormBinding::detach()
{
    if (detached_) return;
    detached_ = true;
    view_.setObserver(nullptr);
    for (auto& [name, timer] : timers_) timer->stop();
    // The widgets go with their window, which the owner's window may already have taken.
    if (window_.isNull()) return;
    for (auto& [name, widget] : widgets_) {
        if (widget != window_) widget->disconnect(this);
        widget->removeEventFilter(this);
    }
}

QWidget* FormBinding::widget(std::string_view name) const
{
    const auto found = widgets_.find(std::string(name));
    return found == widgets_.end() ? nullptr : found->second;
}

void FormBinding::build()
{
    UpdateGuard guard(updating_);
    const Control& frame = view_.window();
    widgets_[frame.name] = window_;
    window_->setAutoFillBackground(true);
    window_->setAcceptDrops(main_);

    for (const Control& control : view_.controls()) {
        if (&control == &frame) continue;
        if (control.kind == ControlKind::Timer) {
            auto* timer = new QTimer(this);
            timers_[control.name] = timer;
            connect(timer, &QTimer::timeout, this, [this, name = control.name] { view_.timerFired(name); });
            apply(control, Property::Interval);
            continue;
        }
        QWidget* created = create(control);
        if (created == nullptr) continue;  // dialogs, drop target, audio: no widget of their own
        widgets_[control.name] = created;
        created->setObjectName(QString::fromStdString(control.name));
        applyAll(control);
        connectSignals(control, created);
    }

    // A caption's "&" marks the key that jumps to the box after it.
    const auto& controls = view_.controls();
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(widget(controls[i].name));
        if (label == nullptr || controls[i].text.bytes().find('&') == std::string::npos) continue;
        if (QWidget* next = widget(controls[i + 1].name); next != nullptr) label->setBuddy(next);
    }

    applyAll(frame);
    window_->move(frame.left, frame.top);
    applyWindowSize(frame);
}

QWidget* FormBinding::parentWidgetOf(const Control& control)
{
    if (control.parent.empty() || control.parent == view_.windowName()) return window_;
    if (control.page >= 0) {
        auto& pages = tabPages_[control.parent];
        if (control.page < static_cast<int>(pages.size())) return pages[static_cast<std::size_t>(control.page)];
    }
    QWidget* parent = widget(control.parent);
    return parent != nullptr ? parent : window_.data();
}

QWidget* FormBinding::create(const Control& control)
{
    QWidget* parent = parentWidgetOf(control);
    switch (control.kind) {
    case ControlKind::EditBox: {
        if (control.multiLine) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setVerticalScrollBarPolicy(control.verticalScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            edit->setReadOnly(control.readOnly);
            edit->setAcceptDrops(false);  // files dropped on the editor go to the window
            if (!control.border) edit->setFrameShape(QFrame::NoFrame);
            if (control.ibeamCursor) edit->viewport()->setCursor(Qt::IBeamCursor);
            return edit;
        }
        auto* line = new QLineEdit(parent);
        line->setReadOnly(control.readOnly);
        line->setFrame(control.border || control.sunken);
        line->setAcceptDrops(false);
        if (control.integerInput) {
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9]*")), line));
        }
        return line;
    }
    case ControlKind::FlatButton: return new FlatButton(parent);
    case ControlKind::PushButton: return new QPushButton(parent);
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(control.wordWrap);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(parent);
        box->setAutoFillBackground(true);
        return box;
    }
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(true);
        return radio;
    }
    case ControlKind::ComboBox: return new QComboBox(parent);
    case ControlKind::ColorPicker: return new ColourSwatch(parent);
    case ControlKind::PictureBox: return new PictureBox(parent);
    case ControlKind::TabControl: {
        auto* tabs = new QTabWidget(parent);
        auto& pages = tabPages_[control.name];
        for (const GbText& caption : control.items) {
            auto* page = new QWidget(tabs);
            page->setAutoFillBackground(true);
            page->setPalette(QPalette(Qt::white));
            tabs->addTab(page, toQString(caption));
            pages.push_back(page);
        }
        return tabs;
    }
    case ControlKind::ListView: return new QListWidget(parent);
    case ControlKind::StatusBar: return new StatusBarWidget(parent);
    case ControlKind::Window:
    case ControlKind::Timer:
    case ControlKind::OpenFileDialog:
    case ControlKind::SaveFileDialog:
    case ControlKind::DropTarget:
    case ControlKind::AudioPlayer:
    case ControlKind::AudioRecorder: break;
    }
    return nullptr;
}

void FormBinding::applyAll(const Control& control)
{
    for (Property property :
         {Property::Font, Property::Geometry, Property::Text, Property::Caption, Property::BackColor,
          Property::TextColor, Property::Alignment, Property::Checked, Property::Items, Property::SelectedIndex,
          Property::Picture, Property::ButtonColors, Property::SelectedColor, Property::StatusPanels,
          Property::Enabled, Property::Visible}) {
        apply(control, property);
    }
    if (QWidget* target = widget(control.name); target != nullptr && !control.tooltip.empty()) {
        target->setToolTip(toQString(control.tooltip));
    }
    if (control.kind == ControlKind::Window) window_->setWindowIcon(iconOf(control.picture));
}

void FormBinding::propertyChanged(const Control& control, Property property)
{
    if (window_.isNull()) return;  // the widgets went with the owner's window
    UpdateGuard guard(updating_);
    apply(control, property);
}

bool FormBinding::editRequested(const Control& control, int start, int length, const GbText& inserted,
                                bool joinPrevious)
{
    auto* edit = qobject_cast<QPlainTextEdit*>(widget(control.name));
    if (edit == nullptr) return false;
    UpdateGuard guard(updating_);
    // An edit through the cursor, not a new text, so it joins the widget's undo history.
    QTextCursor cursor(edit->document());
    cursor.setPosition(widgetPositionOfByte(control.text, start));
    cursor.setPosition(widgetPositionOfByte(control.text, start + length), QTextCursor::KeepAnchor);
    if (joinPrevious) {
        cursor.joinPreviousEditBlock();
    } else {
        cursor.beginEditBlock();
    }
    cursor.insertText(widgetText(inserted));
    cursor.endEditBlock();
    edit->setTextCursor(cursor);
    return true;
}

void FormBinding::raiseRequested(const Control&)
{
    if (window_.isNull()) return;
    if (window_->isMinimized()) window_->showNormal();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void FormBinding::apply(const Control& control, Property property)
{
    if (control.kind == ControlKind::Timer) {
        if (property != Property::Interval) return;
        QTimer* timer = timers_.at(control.name);
        if (control.interval > 0) {
            timer->start(control.interval);
        } else {
            timer->stop();
        }
        return;
    }
    QWidget* target = widget(control.name);
    if (target == nullptr) return;

    switch (property) {
    case Property::Geometry:
        if (control.kind == ControlKind::Window) {
            applyWindowSize(control);
        } else {
            target->setGeometry(control.left, control.top, std::max(control.width, 0), std::max(control.height, 0));
        }
        break;
    case Property::Visible:
        if (control.kind != ControlKind::Window) target->setVisible(control.visible);
        break;
    case Property::Enabled: target->setEnabled(control.enabled); break;
    case Property::Text: applyText(control, target); break;
    case Property::Caption:
        if (auto* button = qobject_cast<QPushButton*>(target); button != nullptr && !control.caption.empty()) {
            button->setText(toQString(control.caption));
        }
        break;
    case Property::BackColor:
    case Property::TextColor: applyColours(control); break;
    case Property::Font: target->setFont(toQFont(control.font)); break;
    case Property::Alignment:
        if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
            QTextOption option = edit->document()->defaultTextOption();
            option.setAlignment(control.alignment == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
            edit->document()->setDefaultTextOption(option);
        } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
            line->setAlignment(control.alignment == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        break;
    case Property::Selection: applySelection(control, target); break;
    case Property::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(target); button != nullptr && button->isCheckable()) {
            button->setChecked(control.checked);
        }
        break;
    case Property::SelectedIndex:
        if (auto* combo = qobject_cast<QComboBox*>(target)) combo->setCurrentIndex(control.selectedIndex);
        if (auto* tabs = qobject_cast<QTabWidget*>(target)) tabs->setCurrentIndex(std::max(control.selectedIndex, 0));
        break;
    case Property::Items:
        if (auto* combo = qobject_cast<QComboBox*>(target)) {
            combo->clear();
            for (const GbText& item : control.items) combo->addItem(toQString(item));
            combo->setCurrentIndex(control.selectedIndex);
        } else if (auto* list = qobject_cast<QListWidget*>(target)) {
            list->clear();
            for (const GbText& row : control.items) list->addItem(toQString(row));
        }
        break;
    case Property::Picture:
        if (auto* picture = dynamic_cast<PictureBox*>(target)) picture->setPicture(control.picture);
        if (control.kind == ControlKind::Window) window_->setWindowIcon(iconOf(control.picture));
        break;
    case Property::ButtonColors:
        if (auto* button = dynamic_cast<FlatButton*>(target)) button->setColours(control.buttonColors);
        break;
    case Property::SelectedColor:
        if (auto* swatch = dynamic_cast<ColourSwatch*>(target)) swatch->setColour(control.selectedColor);
        break;
    case Property::StatusPanels:
        if (auto* bar = dynamic_cast<StatusBarWidget*>(target)) bar->setPanels(control.panels);
        break;
    case Property::WindowState:
        if (control.kind == ControlKind::Window) {
            if (control.windowState == WindowState::Minimised) window_->showMinimized();
            if (control.windowState == WindowState::Maximised) window_->showMaximized();
            if (control.windowState == WindowState::Normal) {
                window_->showNormal();
                window_->raise();
                window_->activateWindow();
            }
        }
        break;
    case Property::TopMost:
        if (control.kind == ControlKind::Window) {
            const bool shown = window_->isVisible();
            window_->setWindowFlag(Qt::WindowStaysOnTopHint, control.topMost);
            if (shown) window_->show();
        }
        break;
    case Property::Focus: target->setFocus(Qt::OtherFocusReason); break;
    case Property::Interval: break;
    }
}

void FormBinding::applyWindowSize(const Control& frame)
{
    // The model keeps the size as set; the real window never goes below a usable size nor
    // beyond the screen, and reports the size it really took as a size change.
    QSize wanted(frame.width, frame.height);
    window_->setWindowTitle(toQString(frame.text));
    if (!main_) {
        // The small tool windows keep their form's size.
        window_->resize(wanted.expandedTo(QSize(1, 1)));
        return;
    }
    QSize usable = wanted.expandedTo(QSize(kUsableWidth, kUsableHeight));
    if (const QScreen* screen = window_->screen() != nullptr ? window_->screen() : QGuiApplication::primaryScreen()) {
        usable = usable.boundedTo(screen->availableGeometry().size().expandedTo(QSize(kUsableWidth, kUsableHeight)));
    }
    if (window_->size() != usable) window_->resize(usable);
    if (usable != wanted) {
        QTimer::singleShot(0, this, [this] { windowResized(window_->size()); });
    }
}

void FormBinding::applyColours(const Control& control)
{
    QWidget* target = widget(control.name);
    switch (control.kind) {
    case ControlKind::Window:
    case ControlKind::GroupBox:
        setRole(target, QPalette::Window, control.backColor);
        setRole(target, QPalette::WindowText, control.textColor);
        break;
    case ControlKind::EditBox:
        setRole(target, QPalette::Base, control.backColor);
        setRole(target, QPalette::Text, control.textColor);
        break;
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: setRole(target, QPalette::WindowText, control.textColor); break;
    default: break;
    }
}

void FormBinding::applyText(const Control& control, QWidget* target)
{
    const QString text = toQString(control.text);
    if (control.kind == ControlKind::Window) {
        target->setWindowTitle(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        edit->setPlainText(widgetText(control.text));
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->setText(text);
        line->setCursorPosition(0);  // the model puts the caret at the start of a new text
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(target)) {
        box->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
        combo->setCurrentText(text);
    }
}

void FormBinding::applySelection(const Control& control, QWidget* target)
{
    const int start = widgetPositionOfByte(control.text, control.selStart);
    const int end = widgetPositionOfByte(control.text, control.selStart + control.selLength);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->setSelection(start, end - start);
    }
}

void FormBinding::editorTextEdited(const std::string& name, QWidget* target)
{
    if (updating_ > 0) return;
    GbText text;
    int anchor = 0;
    int position = 0;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        text = modelText(edit->document()->toRawText());
        anchor = edit->textCursor().anchor();
        position = edit->textCursor().position();
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        text = fromQString(line->text());
        position = line->cursorPosition();
        anchor = line->hasSelectedText() ? line->selectionStart() : position;
    }
    const int start = bytePositionOfWidget(text, std::min(anchor, position));
    const int end = bytePositionOfWidget(text, std::max(anchor, position));
    view_.userSelect(name, start, end - start);
    UpdateGuard guard(updating_);  // the handler's own writes must not come back as edits
    view_.userEditText(name, std::move(text));
}

void FormBinding::editorSelectionMoved(const std::string& name, QWidget* target)
{
    if (updating_ > 0) return;
    const GbText& text = view_.text(name);
    int anchor = 0;
    int position = 0;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        anchor = edit->textCursor().anchor();
        position = edit->textCursor().position();
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        position = line->cursorPosition();
        anchor = line->hasSelectedText() ? line->selectionStart() : position;
        if (line->hasSelectedText()) position = anchor + static_cast<int>(line->selectedText().size());
    }
    const int start = bytePositionOfWidget(text, std::min(anchor, position));
    const int end = bytePositionOfWidget(text, std::max(anchor, position));
    view_.userSelect(name, start, end - start);
}

void FormBinding::asUser(const std::function<void()>& action)
{
    if (updating_ > 0 || detached_) return;
    UpdateGuard guard(updating_);
    action();
}

void FormBinding::connectSignals(const Control& control, QWidget* target)
{
    const std::string name = control.name;

    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        connect(edit, &QPlainTextEdit::textChanged, this, [this, name, edit] { editorTextEdited(name, edit); });
        connect(edit, &QPlainTextEdit::cursorPositionChanged, this,
                [this, name, edit] { editorSelectionMoved(name, edit); });
        connect(edit, &QPlainTextEdit::selectionChanged, this, [this, name, edit] { editorSelectionMoved(name, edit); });
        edit->installEventFilter(this);
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        connect(line, &QLineEdit::textEdited, this, [this, name, line] { editorTextEdited(name, line); });
        connect(line, &QLineEdit::cursorPositionChanged, this, [this, name, line] { editorSelectionMoved(name, line); });
        connect(line, &QLineEdit::selectionChanged, this, [this, name, line] { editorSelectionMoved(name, line); });
        line->installEventFilter(this);
    } else if (auto* swatch = dynamic_cast<ColourSwatch*>(target)) {
        connect(swatch, &ColourSwatch::colourChosen, this,
                [this, name](Color colour) { asUser([&] { view_.userPickColor(name, colour); }); });
    } else if (auto* picture = dynamic_cast<PictureBox*>(target)) {
        connect(picture, &PictureBox::leftButtonPressed, this,
                [this, name] { asUser([&] { view_.userLeftButtonDown(name); }); });
    } else if (auto* bar = dynamic_cast<StatusBarWidget*>(target)) {
        connect(bar, &StatusBarWidget::leftButtonPressed, this,
                [this, name] { asUser([&] { view_.userLeftButtonDown(name); }); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton) button->setCheckable(true);
        connect(button, &QAbstractButton::clicked, this, [this, name] { asUser([&] { view_.userClick(name); }); });
    } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
        connect(combo, &QComboBox::activated, this,
                [this, name](int index) { asUser([&] { view_.userSelectIndex(name, index); }); });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(target)) {
        connect(tabs, &QTabWidget::currentChanged, this,
                [this, name](int index) { asUser([&] { view_.userSelectIndex(name, index); }); });
    }
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event)
{
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr) return false;
    const std::string name = target->objectName().toStdString();
    if (!view_.has(name)) return false;

    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = virtualKeyOf(key->key());
        if (code == 0) return false;
        // Our handlers see the key before any shortcut or the widget's own meaning of it.
        if (event->type() == QEvent::ShortcutOverride) {
            if (view_.hasHandler(name, EventKind::KeyPressed) && isCommandKey(code, modifiersOf(key->modifiers()))) {
                event->accept();
            }
            return false;
        }
        if (!view_.hasHandler(name, EventKind::KeyPressed)) return false;
        UpdateGuard guard(updating_);
        const bool handled = view_.userKey(name, code, modifiersOf(key->modifiers()));
        return handled;
    }
    case QEvent::FocusIn: view_.userFocus(name); return false;
    case QEvent::FocusOut:
        if (updating_ == 0) {
            UpdateGuard guard(updating_);
            view_.userLeaveFocus(name);
        }
        return false;
    default: return false;
    }
}

void FormBinding::windowShown()
{
    // A window's first appearance reports its size, as the window system does when it is
    // first shown, so the layout runs even when the saved size equals the built one.
    if (shown_ || !main_) return;
    shown_ = true;
    UpdateGuard guard(updating_);
    view_.raise(view_.windowName(), EventKind::SizeChanged);
}

void FormBinding::windowResized(QSize size)
{
    if (updating_ > 0 || destroyed_) return;
    const Control& frame = view_.window();
    if (frame.width == size.width() && frame.height == size.height()) return;
    UpdateGuard guard(updating_);
    view_.userResize(size.width(), size.height());
}

bool FormBinding::windowClosing()
{
    if (main_) {
        // The main window: closing cannot be refused; the handler runs once.
        if (!destroyed_) {
            destroyed_ = true;
            UpdateGuard guard(updating_);
            Event event;
            event.kind = EventKind::Destroying;
            event.control = view_.windowName();
            view_.raise(event);
            // A save that could not be written keeps the window, and the text, open.
            if (event.handled) destroyed_ = false;
        }
        return destroyed_;
    }
    if (view_.hasHandler(view_.windowName(), EventKind::CloseRequested)) {
        UpdateGuard guard(updating_);
        view_.raise(view_.windowName(), EventKind::CloseRequested);
        return false;  // the handler hides or destroys the window itself
    }
    return true;
}

void FormBinding::windowStateChanged()
{
    const Qt::WindowStates state = window_->windowState();
    view_.userChangeWindowState(state & Qt::WindowMinimized   ? WindowState::Minimised
                                : state & Qt::WindowMaximized ? WindowState::Maximised
                                                              : WindowState::Normal);
}

void FormBinding::filesDropped(const QList<QUrl>& urls)
{
    std::vector<std::filesystem::path> paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) paths.push_back(pathFromQString(url.toLocalFile()));
    }
    if (paths.empty()) return;
    UpdateGuard guard(updating_);
    view_.userDropFiles(std::move(paths));
}

} // namespace penlark

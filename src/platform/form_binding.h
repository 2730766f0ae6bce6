#pragma once

#include "view/view.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <unordered_map>

class QTimer;

namespace penlark {

class FormBinding;

// The top-level widget of a form; forwards what the window system does to its binding.
class FormWindow : public QWidget {
public:
    FormWindow(FormBinding& binding, QWidget* owner);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FormBinding& binding_;
};

// Loads the images compiled into the program; call once before the first window is built.
void initPlatformResources();

// Shows a View as real widgets and keeps both in step: a program write updates the widget
// without raising the event a second time; a user's action updates the model, which raises
// the handler once. Holds no rule of the program.
class FormBinding : public QObject, public ViewObserver {
public:
    // `owner` is the main window for the small tool windows, null for the main window.
    FormBinding(View& view, QWidget* owner = nullptr);
    ~FormBinding() override;

    FormWindow* window() const { return window_; }
    QWidget* widget(std::string_view name) const;
    View& view() const { return view_; }

    void propertyChanged(const Control& control, Property property) override;
    void raiseRequested(const Control& control) override;
    bool editRequested(const Control& control, int start, int length, const GbText& inserted,
                       bool joinPrevious) override;
    // Stops following the model, which may be gone before the widgets are.
    void detach();
    // True while one of this window's events is being handled.
    bool busy() const { return updating_ > 0; }

    // Window-system events, from FormWindow.
    void windowResized(QSize size);
    void windowShown();
    bool windowClosing();
    void windowStateChanged();
    void filesDropped(const QList<QUrl>& urls);

    // Destroying the main window: whoever closes it last runs this once.
    bool destroyed() const { return destroyed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* create(const Control& control);
    QWidget* parentWidgetOf(const Control& control);
    void applyAll(const Control& control);
    void apply(const Control& control, Property property);
    void applyWindowSize(const Control& window);
    void applyColours(const Control& control);
    void applyText(const Control& control, QWidget* widget);
    void applySelection(const Control& control, QWidget* widget);
    // Runs a user's action on the model unless the widget changed because of our own write.
    void asUser(const std::function<void()>& action);
    void connectSignals(const Control& control, QWidget* widget);
    void editorTextEdited(const std::string& name, QWidget* widget);
    void editorSelectionMoved(const std::string& name, QWidget* widget);

    View& view_;
    QPointer<FormWindow> window_;
    std::unordered_map<std::string, QWidget*> widgets_;
    std::unordered_map<std::string, QTimer*> timers_;
    std::unordered_map<std::string, std::vector<QWidget*>> tabPages_;
    bool main_;
    bool detached_ = false;
    bool shown_ = false;
    int updating_ = 0;  // while positive, widget signals come from our own writes
    bool destroyed_ = false;
};

} // namespace penlark

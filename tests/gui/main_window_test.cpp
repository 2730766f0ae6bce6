#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/form_widgets.h"
#include "platform/qt_convert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

using namespace penlark;
using namespace penlark::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithEveryControlOfTheForm()
    {
        GuiApp gui;
        gui.start();
        for (const Control& control : gui.view().controls()) {
            QWidget* widget = gui.widget(control.name.c_str());
            const bool hasWidget = control.kind != ControlKind::Timer && control.kind != ControlKind::OpenFileDialog &&
                                   control.kind != ControlKind::SaveFileDialog && control.kind != ControlKind::DropTarget &&
                                   control.kind != ControlKind::AudioPlayer && control.kind != ControlKind::AudioRecorder;
            QCOMPARE(widget != nullptr, hasWidget);
            if (widget == nullptr || control.kind == ControlKind::Window) continue;
            QVERIFY2(widget->geometry() == QRect(control.left, control.top, std::max(control.width, 0),
                                                 std::max(control.height, 0)),
                     control.name.c_str());
            QCOMPARE(widget->isVisibleTo(widget->parentWidget()), control.visible);
            QCOMPARE(widget->isEnabled(), control.enabled);
        }
        QCOMPARE(gui.binding->window()->windowTitle(), q("Penlark5—你的原创写作助手 v5.5 2015-九月版"));
        QCOMPARE(gui.widgetAs<QLabel>("版本标签")->text(), q("Penlark5—你的原创写作助手 v5.5 2015-九月版"));
        QCOMPARE(gui.widgetAs<QLineEdit>("章节名称")->text(), QString());
        QVERIFY(gui.widgetAs<QPlainTextEdit>("编辑框1")->toPlainText().contains(q("Penlark，你身边的写作帮手")));
        QCOMPARE(gui.widgetAs<QTabWidget>("高级选择夹1")->count(), 7);
        QCOMPARE(gui.widgetAs<QTabWidget>("高级选择夹1")->tabText(6), q("随机地名"));
        QCOMPARE(gui.widgetAs<QComboBox>("组合框1")->count(), 37);
        QCOMPARE(gui.widgetAs<QPushButton>("开始书写按钮")->text(), q("开始书写"));
        QCOMPARE(gui.widgetAs<QPushButton>("打开按钮")->toolTip(), q("这是打开按钮，点击可以选择txt文本/wav音频/plk文本打开"));
        auto* status = dynamic_cast<StatusBarWidget*>(gui.widget("状态条1"));
        QVERIFY(status != nullptr);
        QCOMPARE(status->height(), 24);
        QCOMPARE(status->geometry().bottom() + 1, gui.binding->window()->height());
        QCOMPARE(status->panelText(0), q("当前字数"));
        saveScreenshot(gui.binding->window(), "main-window");
    }

    void firstShowLaysOutAndResizingFollows()
    {
        GuiApp gui;
        gui.start();
        QWidget* window = gui.binding->window();
        QCOMPARE(window->size(), QSize(1119, 838));
        QCOMPARE(gui.widget("编辑框1")->geometry(), QRect(0, 40, 1101, 738));
        QCOMPARE(gui.widget("关于")->pos(), QPoint(263, 235));

        window->resize(1219, 900);
        QCoreApplication::processEvents();
        QCOMPARE(gui.view().width("MainWindow"), 1219);
        QCOMPARE(gui.widget("编辑框1")->width(), 1201);
        QCOMPARE(gui.widget("编辑框1")->height(), 800);
        QCOMPARE(gui.widget("wav播放器")->x(), 1219 - 447);
        QCOMPARE(gui.widget("wav播放器")->geometry().bottom() + 1, gui.widget("状态条1")->y());
        QCOMPARE(gui.setting("软件设置", "宽度"), "1219"_gb);
        QCOMPARE(gui.setting("软件设置", "高度"), "900"_gb);
    }

    void absurdSavedSizeStillOpensUsableWindow()
    {
        GuiApp gui;
        writeBytes(gui.programDir / "setting.ini", "[软件设置]\r\n高度=0\r\n宽度=-5\r\n");
        gui.start();
        QTRY_VERIFY(gui.binding->window()->width() >= 480);
        QVERIFY(gui.binding->window()->height() >= 320);
        // The size the window really took is what the next start restores.
        QTRY_COMPARE(gui.view().width("MainWindow"), gui.binding->window()->width());
        QTRY_COMPARE(gui.setting("软件设置", "宽度"), textFromInt(gui.binding->window()->width()));
    }

    void programWritesDoNotComeBackAsEdits()
    {
        GuiApp gui;
        gui.start();
        int changes = 0;
        gui.view().on("章节名称", EventKind::TextChanged, [&](Event&) { ++changes; });
        gui.view().setText("章节名称", "第一章"_gb);
        QCOMPARE(changes, 1);
        QCOMPARE(gui.widgetAs<QLineEdit>("章节名称")->text(), q("第一章"));

        // A user's typing reaches the model and runs the handler once per edit.
        auto* title = gui.widgetAs<QLineEdit>("章节名称");
        title->setFocus();
        title->end(false);
        commitText(title, q("：风"));
        QCOMPARE(changes, 2);
        QCOMPARE(gui.view().text("章节名称"), "第一章：风"_gb);
        QCOMPARE(gui.view().selStart("章节名称"), 10);

        gui.view().setChecked("自动保存", true);
        QVERIFY(gui.widgetAs<QCheckBox>("自动保存")->isChecked());
        gui.view().setSelectedIndex("提示类型", 7);
        QCOMPARE(gui.widgetAs<QComboBox>("提示类型")->currentIndex(), 2);
    }

    void editorSelectionIsInCodePageBytes()
    {
        GuiApp gui;
        gui.start();
        gui.view().setEnabled("编辑框1", true);
        gui.view().setText("编辑框1", "标题\r\nab中文"_gb);
        auto* editor = gui.widgetAs<QPlainTextEdit>("编辑框1");
        QCOMPARE(editor->toPlainText(), q("标题\nab中文"));

        gui.view().setSelection("编辑框1", 6, 4);  // "ab中"
        QCOMPARE(editor->textCursor().selectedText(), q("ab中"));

        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(3);
        cursor.setPosition(editor->toPlainText().size(), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        QCOMPARE(gui.view().selStart("编辑框1"), 6);
        QCOMPARE(gui.view().selLength("编辑框1"), 6);

        // Typing a line break in the widget stores CR LF.
        editor->moveCursor(QTextCursor::End);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(gui.view().text("编辑框1"), "标题\r\nab中文\r\n"_gb);
        QCOMPARE(gui.view().selStart("编辑框1"), 14);
    }

    void keysReachHandlersFirst()
    {
        GuiApp gui;
        gui.start();
        gui.view().setEnabled("编辑框1", true);
        std::vector<std::pair<int, int>> keys;
        gui.view().on("编辑框1", EventKind::KeyPressed, [&](Event& event) {
            // The modifier keys arrive as keys of their own, as they do on Windows.
            if (event.key == 16 || event.key == 17 || event.key == 18) return;
            keys.emplace_back(event.key, event.modifiers);
            event.handled = event.key == keys::F1;
        });
        QWidget* editor = gui.widget("编辑框1");
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F1);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(keys.size(), std::size_t{3});
        QCOMPARE(keys[0], std::make_pair(keys::F1, 0));
        QCOMPARE(keys[1], std::make_pair(keys::A, keys::Ctrl));
        QCOMPARE(keys[2], std::make_pair(keys::H, keys::Ctrl | keys::Shift));
    }

    void closingRunsShutdownOnceAndMarksSettingsReadOnly()
    {
        GuiApp gui;
        gui.start();
        gui.binding->window()->close();
        QVERIFY(gui.binding->destroyed());
        QVERIFY(gui.settings.attributes(SettingsLocation::ProgramDirectory).readOnly);
    }
};

PENLARK_GUI_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

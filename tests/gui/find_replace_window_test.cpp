#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/qt_convert.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace penlark;
using namespace penlark::test;

namespace {

// A session on "第一章" typed into the real title box and started with Enter.
void startSession(GuiApp& gui)
{
    auto* title = gui.widgetAs<QLineEdit>("章节名称");
    title->setFocus();
    commitText(title, q("第一章"));
    QTest::keyClick(title, Qt::Key_Return);
}

QPlainTextEdit* editorOf(GuiApp& gui) { return gui.widgetAs<QPlainTextEdit>("编辑框1"); }

FormBinding* shownWindow(GuiApp& gui, const View* window)
{
    if (window == nullptr) return nullptr;
    FormBinding* binding = gui.ui.bindingOf(*window);
    if (binding != nullptr && !QTest::qWaitForWindowExposed(binding->window())) return nullptr;
    return binding;
}

template <typename T>
T* part(FormBinding* window, const char* name)
{
    return qobject_cast<T*>(window->widget(name));
}

// What the user sees selected: the widget's own selection.
QString selected(QPlainTextEdit* editor) { return editor->textCursor().selectedText(); }

} // namespace

class FindReplaceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void shortcutsReachTheCommandsBeforeQtDoes()
    {
        GuiApp gui;
        gui.start();
        startSession(gui);
        QVERIFY(!gui.view().enabled("章节名称"));
        QPlainTextEdit* editor = editorOf(gui);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->toPlainText(), q("第一章\n"));

        QTest::keyClick(editor, Qt::Key_F1);
        QCOMPARE(editor->toPlainText(), q("第一章\n2015年9月1日 8：5：3"));
        QCOMPARE(gui.view().text("编辑框1"), GbText::fromUtf8("第一章\r\n2015年9月1日 8：5：3"));

        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selected(editor), editor->toPlainText().replace(QLatin1Char('\n'), QChar(0x2029)));

        QTest::keyClick(editor, Qt::Key_F2);
        QCOMPARE(editor->font().pointSizeF(), 25.0);
        QVERIFY(gui.widgetAs<QCheckBox>("大字体")->isChecked());
        QTest::keyClick(editor, Qt::Key_F2);
        QCOMPARE(editor->font().pointSizeF(), 16.0);

        gui.ui.answers = {answer::Ok, answer::Ok};
        QTest::keyClick(editor, Qt::Key_F12);
        QCOMPARE(editor->toPlainText(), q("文本已经清空，感谢您的使用"));
        QVERIFY(!editor->isEnabled());
        QVERIFY(gui.widget("章节名称")->isEnabled());
    }

    void findWindowSelectsEachHitInTheEditorAndIsOnlyHidden()
    {
        GuiApp gui;
        gui.start();
        startSession(gui);
        QPlainTextEdit* editor = editorOf(gui);
        commitText(editor, q("风起了，Wind 吹过"));
        QTest::keyClick(editor, Qt::Key_Return);
        commitText(editor, q("风停了 wind"));
        editor->moveCursor(QTextCursor::Start);

        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        FormBinding* find = shownWindow(gui, gui.app->findWindow.get());
        QVERIFY(find != nullptr);
        QCOMPARE(find->window()->windowTitle(), q("查找"));
        auto* box = part<QLineEdit>(find, "编辑框1");
        auto* next = part<QPushButton>(find, "按钮1");
        QVERIFY(!next->isEnabled());

        box->setFocus();
        commitText(box, q("wind"));
        QVERIFY(next->isEnabled());
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(selected(editor), q("Wind"));  // without the case box, either case
        saveScreenshot(find->window(), "find-window");
        saveScreenshot(gui.binding->window(), "find-hit-in-editor");
        QCOMPARE(gui.view().selStart("编辑框1"), 16);
        QCOMPARE(gui.view().selLength("编辑框1"), 4);

        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(selected(editor), q("wind"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(gui.ui.messages.back(), GbText::fromUtf8("找不到 “wind”"));
        QCOMPARE(editor->textCursor().position(), editor->toPlainText().size());
        QVERIFY(!editor->textCursor().hasSelection());

        // Upward, Chinese: the hit nearest before the caret.
        QTest::mouseClick(part<QRadioButton>(find, "单选框1"), Qt::LeftButton);
        box->selectAll();
        commitText(box, q("风"));
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(selected(editor), q("风"));
        QCOMPARE(editor->textCursor().selectionStart(), 16);  // "第一章\n风起了，Wind 吹过\n" is 16 units
        QCOMPARE(gui.view().selStart("编辑框1"), 27);

        // "取消" and the close box hide it; the next Ctrl+F shows the same window as left.
        const QWidget* window = find->window();
        QTest::mouseClick(part<QPushButton>(find, "按钮2"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowExposed(find->window()));
        QCOMPARE(find->window(), window);
        QCOMPARE(box->text(), q("风"));
        QVERIFY(part<QRadioButton>(find, "单选框1")->isChecked());
        find->window()->close();
        QVERIFY(!window->isVisible());
        QVERIFY(gui.app->findWindow != nullptr);
        QCOMPARE(gui.ui.bindingOf(*gui.app->findWindow), find);
    }

    void replaceWindowEditsTheEditorUndoablyAndCloses()
    {
        GuiApp gui;
        gui.start();
        startSession(gui);
        QPlainTextEdit* editor = editorOf(gui);
        commitText(editor, q("旧词 old 旧词"));
        editor->moveCursor(QTextCursor::Start);
        QApplication::clipboard()->setText(q("剪贴板里的字"));
        std::vector<GbText> seen;
        gui.view().on("编辑框1", EventKind::TextChanged, [&](Event&) { seen.push_back(gui.view().text("编辑框1")); });

        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        FormBinding* replace = shownWindow(gui, gui.app->replaceWindow.get());
        QVERIFY(replace != nullptr);
        QCOMPARE(replace->window()->windowTitle(), q("替换"));
        auto* replaceButton = part<QPushButton>(replace, "按钮2");
        QVERIFY(!replaceButton->isEnabled());
        commitText(part<QLineEdit>(replace, "编辑框1"), q("旧词"));
        commitText(part<QLineEdit>(replace, "编辑框2"), q("新"));
        QVERIFY(replaceButton->isEnabled());

        // The first click selects, the second replaces.
        QTest::mouseClick(replaceButton, Qt::LeftButton);
        QCOMPARE(selected(editor), q("旧词"));
        QCOMPARE(editor->textCursor().selectionStart(), 4);
        QVERIFY(seen.empty());
        QTest::mouseClick(replaceButton, Qt::LeftButton);
        QCOMPARE(editor->toPlainText(), q("第一章\n新 old 旧词"));
        QCOMPARE(seen, (std::vector<GbText>{"第一章\r\n old 旧词"_gb, "第一章\r\n新 old 旧词"_gb}));
        QCOMPARE(editor->textCursor().position(), 5);
        QVERIFY(!editor->textCursor().hasSelection());
        QCOMPARE(QApplication::clipboard()->text(), q("剪贴板里的字"));

        // One undo step takes the whole replacement back, and the model follows.
        editor->undo();
        QCOMPARE(editor->toPlainText(), q("第一章\n旧词 old 旧词"));
        QCOMPARE(gui.view().text("编辑框1"), "第一章\r\n旧词 old 旧词"_gb);

        QTest::mouseClick(part<QPushButton>(replace, "按钮3"), Qt::LeftButton);
        QCOMPARE(editor->toPlainText(), q("第一章\n新 old 新"));

        // The close box destroys the window; the next Ctrl+H builds a new one.
        QPointer<QWidget> window = replace->window();
        window->close();
        QVERIFY(gui.app->replaceWindow == nullptr);
        QTRY_VERIFY(window.isNull() || !window->isVisible());
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        replace = shownWindow(gui, gui.app->replaceWindow.get());
        QVERIFY(replace != nullptr);
        QCOMPARE(part<QLineEdit>(replace, "编辑框1")->text(), q("旧词"));
        QCOMPARE(part<QLineEdit>(replace, "编辑框2")->text(), QString());
        saveScreenshot(replace->window(), "replace-window");
    }

    void selectionsAreCodePageBytesBothWays_data()
    {
        QTest::addColumn<int>("byteStart");
        QTest::addColumn<int>("byteLength");
        QTest::addColumn<int>("widgetStart");
        QTest::addColumn<int>("widgetEnd");
        // "ab中文\r\n第二行xyz\r\n末尾": a b 中 文 ⏎ 第 二 行 x y z ⏎ 末 尾
        QTest::newRow("start, ASCII") << 0 << 2 << 0 << 2;
        QTest::newRow("start, mixed") << 0 << 4 << 0 << 3;
        QTest::newRow("caret at start") << 0 << 0 << 0 << 0;
        QTest::newRow("across a line break") << 4 << 6 << 3 << 6;
        QTest::newRow("line break alone") << 6 << 2 << 4 << 5;
        QTest::newRow("second line, after Chinese") << 14 << 3 << 8 << 11;
        QTest::newRow("across the last break to the end") << 16 << 7 << 10 << 14;
        QTest::newRow("end, Chinese") << 21 << 2 << 13 << 14;
        QTest::newRow("caret at end") << 23 << 0 << 14 << 14;
    }

    void selectionsAreCodePageBytesBothWays()
    {
        QFETCH(int, byteStart);
        QFETCH(int, byteLength);
        QFETCH(int, widgetStart);
        QFETCH(int, widgetEnd);
        GuiApp gui;
        gui.start();
        gui.view().setEnabled("编辑框1", true);
        gui.view().setText("编辑框1", "ab中文\r\n第二行xyz\r\n末尾"_gb);
        QPlainTextEdit* editor = editorOf(gui);

        gui.view().setSelection("编辑框1", byteStart, byteLength);
        QCOMPARE(editor->textCursor().selectionStart(), widgetStart);
        QCOMPARE(editor->textCursor().selectionEnd(), widgetEnd);

        // The user selecting, forwards and backwards.
        for (const bool backwards : {false, true}) {
            gui.view().setSelection("编辑框1", 0, 0);
            QTextCursor cursor = editor->textCursor();
            cursor.setPosition(backwards ? widgetEnd : widgetStart);
            cursor.setPosition(backwards ? widgetStart : widgetEnd, QTextCursor::KeepAnchor);
            editor->setTextCursor(cursor);
            QCOMPARE(gui.view().selStart("编辑框1"), byteStart);
            QCOMPARE(gui.view().selLength("编辑框1"), byteLength);
        }
    }
};

PENLARK_GUI_TEST_MAIN(FindReplaceWindowTest)
#include "find_replace_window_test.moc"

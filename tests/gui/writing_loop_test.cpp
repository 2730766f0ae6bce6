#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/form_widgets.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace penlark;
using namespace penlark::test;

class WritingLoopTest : public QObject {
    Q_OBJECT

private slots:
    void typeTitleWriteAndSaveToDisk()
    {
        GuiApp gui;
        gui.start();
        auto* title = gui.widgetAs<QLineEdit>("章节名称");
        auto* start = gui.widgetAs<QPushButton>("开始书写按钮");
        auto* editor = gui.widgetAs<QPlainTextEdit>("编辑框1");
        auto* status = dynamic_cast<StatusBarWidget*>(gui.widget("状态条1"));

        title->setFocus();
        commitText(title, q("第一章 风起"));
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(editor->isEnabled());
        QVERIFY(!title->isEnabled());
        QCOMPARE(start->text(), q("立刻保存"));
        QCOMPARE(editor->toPlainText(), q("第一章 风起\n"));

        editor->setFocus();
        editor->moveCursor(QTextCursor::End);
        commitText(editor, q("天色将晚，"));
        QTest::keyClick(editor, Qt::Key_Return);
        commitText(editor, q("he said."));
        QCOMPARE(gui.view().text("编辑框1"), "第一章 风起\r\n天色将晚，\r\nhe said."_gb);
        // Bytes other than line breaks and spaces, halved: 27 / 2.
        QCOMPARE(status->panelText(0), q("当前字数：  13"));
        saveScreenshot(gui.binding->window(), "writing");

        const std::filesystem::path chosen = gui.programDir / "第一章 风起.txt";
        gui.ui.dialogAnswers.push_back(chosen);
        QTest::mouseClick(start, Qt::LeftButton);

        QCOMPARE(gui.ui.saveRequests.size(), std::size_t{1});
        QCOMPARE(gui.ui.saveRequests[0].proposedName.string(), std::string("第一章 风起"));
        QCOMPARE(gui.ui.saveRequests[0].initialDirectory, gui.programDir.path());
        const std::string expected = "第一章 风起\r\n天色将晚，\r\nhe said."_gb.bytes();
        QCOMPARE(readBytes(chosen), expected);
        QVERIFY(gui.ui.messages.back() == "保存成功！"_gb);
        QVERIFY(!editor->isEnabled());
        QVERIFY(title->isEnabled());
        QCOMPARE(title->text(), QString());
        QCOMPARE(start->text(), q("开始书写"));
    }
};

PENLARK_GUI_TEST_MAIN(WritingLoopTest)
#include "writing_loop_test.moc"

// Files dropped on the real window: the document shows as text in the editor widget, and
// saving over it writes it back in its own encoding.
#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/qt_convert.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace penlark;
using namespace penlark::test;

namespace {

// What a file manager delivers: file URLs, dropped in the middle of the window.
void dropFiles(QWidget* window, const std::vector<std::filesystem::path>& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& path : paths) urls.push_back(QUrl::fromLocalFile(pathToQString(path)));
    data.setUrls(urls);
    const QPointF at(window->width() / 2.0, window->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT

private slots:
    void droppedUtf8DocumentShowsAsTextAndIsSavedBackAsUtf8()
    {
        GuiApp gui;
        gui.start();
        const std::filesystem::path path = gui.programDir / "第1章.草稿.txt";
        writeBytes(path, "第一行\n第二行 😀\n");

        dropFiles(gui.binding->window(), {path});
        auto* editor = gui.widgetAs<QPlainTextEdit>("编辑框1");
        QCOMPARE(gui.widgetAs<QLineEdit>("章节名称")->text(), q("第1章"));
        QCOMPARE(editor->toPlainText(), q("第一行\n第二行 😀\n"));
        QVERIFY(editor->isEnabled());
        QVERIFY(gui.ui.messages.empty());

        editor->setFocus();
        editor->moveCursor(QTextCursor::End);
        commitText(editor, q("第三行"));
        gui.ui.answers.push_back(answer::Yes);
        QTest::mouseClick(gui.widgetAs<QPushButton>("开始书写按钮"), Qt::LeftButton);
        QCOMPARE(readBytes(path), std::string("第一行\n第二行 😀\n第三行"));
        QVERIFY(gui.ui.messages.back() == "文件已经保存"_gb);
    }

    void twoFilesDroppedTogetherAreRefused()
    {
        GuiApp gui;
        gui.start();
        writeBytes(gui.programDir / "a.txt", "a");
        writeBytes(gui.programDir / "b.txt", "b");
        dropFiles(gui.binding->window(), {gui.programDir / "a.txt", gui.programDir / "b.txt"});
        QCOMPARE(gui.ui.messages.size(), std::size_t{1});
        QVERIFY(gui.ui.messages[0] == "目前仅支持txt/plk文本和wav音频文件拖拽。"_gb);
        QVERIFY(gui.widgetAs<QLineEdit>("章节名称")->isEnabled());
    }
};

PENLARK_GUI_TEST_MAIN(DocumentsTest)
#include "documents_test.moc"

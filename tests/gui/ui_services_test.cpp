#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/qt_convert.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

using namespace penlark;
using namespace penlark::test;

namespace {

// Presses a button of the next message box once it is open.
void answerNextBox(QMessageBox::StandardButton button, QString* seenTitle = nullptr, QString* seenText = nullptr,
                   QMessageBox::Icon* seenIcon = nullptr, QList<QMessageBox::StandardButton>* seenButtons = nullptr)
{
    QTimer::singleShot(50, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        if (seenTitle != nullptr) *seenTitle = box->windowTitle();
        if (seenText != nullptr) *seenText = box->text();
        if (seenIcon != nullptr) *seenIcon = box->icon();
        if (seenButtons != nullptr) {
            for (QAbstractButton* each : box->buttons()) seenButtons->append(box->standardButton(each));
        }
        box->button(button)->click();
    });
}

} // namespace

class UiServicesTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsExactButtonsAndReturnsTheirCodes_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("buttonCount");
        QTest::newRow("ok") << mb::Ok << int(QMessageBox::Ok) << answer::Ok << 1;
        QTest::newRow("ok-cancel, cancel") << mb::OkCancel << int(QMessageBox::Cancel) << answer::Cancel << 2;
        QTest::newRow("yes-no-cancel, yes") << mb::YesNoCancel << int(QMessageBox::Yes) << answer::Yes << 3;
        QTest::newRow("yes-no-cancel, no") << mb::YesNoCancel << int(QMessageBox::No) << answer::No << 3;
        QTest::newRow("yes-no, no") << (mb::YesNo | mb::IconQuestion) << int(QMessageBox::No) << answer::No << 2;
    }

    void messageBoxShowsExactButtonsAndReturnsTheirCodes()
    {
        QFETCH(int, flags);
        QFETCH(int, press);
        QFETCH(int, expected);
        QFETCH(int, buttonCount);
        QtUiServices ui;
        QString title;
        QString text;
        QList<QMessageBox::StandardButton> buttons;
        answerNextBox(QMessageBox::StandardButton(press), &title, &text, nullptr, &buttons);
        QCOMPARE(ui.messageBox("保存成功！"_gb, flags, "Penlark"_gb), expected);
        QCOMPARE(title, q("Penlark"));
        QCOMPARE(text, q("保存成功！"));
        QCOMPARE(buttons.size(), buttonCount);
    }

    void messageBoxWithoutTitleUsesTheDefaultTitleAndIcon()
    {
        QtUiServices ui;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        answerNextBox(QMessageBox::Ok, &title, nullptr, &icon);
        ui.messageBox("完成"_gb, mb::Ok | mb::IconInformation, {});
        QCOMPARE(title, q("信息："));
        QCOMPARE(icon, QMessageBox::Information);
    }

    void dialogFiltersBecomeQtFilters()
    {
        const QStringList filters = qtFilters(
            "——下拉选择文件种类——|*.txt|\r\n文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|\r\n音乐文件（*.wav）|*.wav|"_gb);
        QCOMPARE(filters, QStringList({q("——下拉选择文件种类—— (*.txt)"), q("文本文档（*.txt） (*.txt)"),
                                       q("Penlark文档（*.plk） (*.plk)"), q("音乐文件（*.wav） (*.wav)")}));
        QCOMPARE(qtFilters("Penlark录音（*.wav）|*.wav|"_gb), QStringList({q("Penlark录音（*.wav） (*.wav)")}));
    }

    void saveDialogProposesNameInFolderAndAddsDefaultExtension()
    {
        TempDir folder;
        QtUiServices ui;
        QTimer::singleShot(100, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) static_cast<QDialog*>(dialog)->accept();
        });
        FileDialogRequest request;
        request.initialDirectory = folder.path();
        request.proposedName = "第一章";
        request.filter = "文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|"_gb;
        request.defaultExtension = "txt"_gb;
        const auto chosen = ui.saveFileDialog(request);
        QVERIFY(chosen.has_value());
        QCOMPARE(pathToQString(*chosen), pathToQString(folder / "第一章.txt"));
    }

    void timersKeepFiringWhileAMessageBoxIsOpen()
    {
        GuiApp gui;
        gui.start();
        int ticks = 0;
        gui.view().on("时钟2", EventKind::Timer, [&](Event&) { ++ticks; });
        gui.view().setInterval("时钟2", 20);
        QtUiServices real;
        real.setMainWindow(gui.binding->window(), &gui.view());
        QTimer::singleShot(300, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        real.messageBox("请稍候"_gb, mb::Ok, "Penlark"_gb);
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }

    void withoutNotificationAreaTheProgramRunsWithoutIcon()
    {
        QtUiServices ui;
        ui.setTrayIcon(Picture::ProgramIcon, "Penlark—你的原创写作助手"_gb);
        QCOMPARE(ui.trayIcon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
        ui.setTrayIcon(Picture::None, {});
    }

    void iconsAreDrawn()
    {
        for (Picture picture : {Picture::Microphone, Picture::MicrophoneRecording, Picture::Tools, Picture::Wrench,
                                Picture::ProgramIcon, Picture::Padlock, Picture::Folder}) {
            const QImage image = pixmapOf(picture, QSize(64, 64)).toImage();
            QVERIFY(!image.isNull());
            // A grey square with a white glyph: both colours appear.
            bool grey = false;
            bool white = false;
            for (int y = 0; y < image.height(); y += 2) {
                for (int x = 0; x < image.width(); x += 2) {
                    const QColor c = image.pixelColor(x, y);
                    grey = grey || (c.red() == 0x80 && c.green() == 0x80 && c.blue() == 0x80);
                    white = white || (c.red() > 0xF0 && c.green() > 0xF0 && c.blue() > 0xF0);
                }
            }
            QVERIFY(grey);
            QVERIFY(white || picture == Picture::Folder);
        }
    }
};

PENLARK_GUI_TEST_MAIN(UiServicesTest)
#include "ui_services_test.moc"

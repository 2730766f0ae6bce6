#include "cloak/cloak_window.h"
#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/qt_convert.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace penlark;
using namespace penlark::test;

class CloakWindowTest : public QObject {
    Q_OBJECT

private slots:
    void lockPanelCoversTheWindowUntilThePasswordIsTyped()
    {
        GuiApp gui;
        gui.start();
        gui.settings.writeValue(SettingsLocation::ProgramDirectory, "pin"_gb, "pin"_gb, "42"_gb);
        gui.view().userClick("文件加密器按钮");
        QVERIFY(gui.app->cloakWindow != nullptr);
        FormBinding* window = gui.ui.bindingOf(*gui.app->cloakWindow);
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window->window()));
        QCOMPARE(window->window()->windowTitle(), q("加密文件夹工具v1.1"));

        QWidget* lock = window->widget("分组框2");
        QVERIFY(lock->isVisible());
        QCOMPARE(lock->geometry(), QRect(0, 0, 336, 264));
        // Whatever lies under the panel cannot be reached by the pointer.
        const QPoint overCloakButton = window->widget("加密文件夹")->geometry().center();
        QCOMPARE(window->window()->childAt(overCloakButton)->objectName().isEmpty() ||
                     window->window()->childAt(overCloakButton) == lock ||
                     lock->isAncestorOf(window->window()->childAt(overCloakButton)),
                 true);
        saveScreenshot(window->window(), "cloak-locked");

        auto* entry = qobject_cast<QLineEdit*>(window->widget("编辑框3"));
        entry->setFocus();
        QTest::keyClicks(entry, "42");
        QVERIFY(!lock->isVisible());
        saveScreenshot(window->window(), "cloak-unlocked");
    }

    void setPasswordBoxTakesOnlyDigitsAndNormalisesWhenLeft()
    {
        GuiApp gui;
        gui.start();
        gui.view().userClick("文件加密器按钮");
        FormBinding* window = gui.ui.bindingOf(*gui.app->cloakWindow);
        QVERIFY(QTest::qWaitForWindowExposed(window->window()));
        auto* box = qobject_cast<QLineEdit*>(window->widget("编辑框4"));
        box->setFocus();
        QTest::keyClicks(box, "00a7b");
        QCOMPARE(box->text(), QStringLiteral("007"));
        window->widget("编辑框1")->setFocus();
        QCOMPARE(box->text(), QStringLiteral("7"));
        QCOMPARE(gui.settings.readValue(SettingsLocation::ProgramDirectory, "pin"_gb, "pin"_gb), "7"_gb);
    }

    void generatedNameIsCopiedToTheRealClipboard()
    {
        GuiApp gui;
        gui.start();
        gui.view().setText("编辑框4", "欧阳明"_gb);
        gui.view().userClick("保存设置9");
        QCOMPARE(QApplication::clipboard()->text(), q("欧阳明"));
        QCOMPARE(gui.ui.messages.back(), "复制成功"_gb);
    }
};

PENLARK_GUI_TEST_MAIN(CloakWindowTest)
#include "cloak_window_test.moc"

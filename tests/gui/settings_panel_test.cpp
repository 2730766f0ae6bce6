#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/form_widgets.h"
#include "platform/qt_convert.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace penlark;
using namespace penlark::test;

namespace {
QColor baseOf(QWidget* widget) { return widget->palette().color(QPalette::Base); }
} // namespace

class SettingsPanelTest : public QObject {
    Q_OBJECT

private slots:
    void settingsPictureOpensPanelWithFreshTaskList()
    {
        GuiApp gui;
        gui.start();
        QWidget* panel = gui.widget("关于");
        QVERIFY(!panel->isVisible());

        QTest::mouseClick(gui.widget("设置按钮"), Qt::LeftButton);
        QVERIFY(panel->isVisible());
        QCOMPARE(gui.view().picture("设置按钮"), Picture::Wrench);

        auto* tabs = gui.widgetAs<QTabWidget>("高级选择夹1");
        QCOMPARE(tabs->currentIndex(), 0);
        // Every page can be reached by a click on its tab.
        for (int page = 0; page < tabs->count(); ++page) {
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(page).center());
            QCOMPARE(tabs->currentIndex(), page);
            QCOMPARE(gui.view().selectedIndex("高级选择夹1"), page);
            saveScreenshot(gui.binding->window(), ("settings-page-" + std::to_string(page)).c_str());
        }

        // The list on the task page shows the rows the ledger wrote, and the start-up task paid.
        auto* list = gui.widgetAs<QListWidget>("超级列表框1");
        const auto& rows = gui.view().rows("超级列表框1");
        QVERIFY(!rows.empty());
        QCOMPARE(list->count(), static_cast<int>(rows.size()));
        for (int row = 0; row < list->count(); ++row) {
            QCOMPARE(list->item(row)->text(), toQString(rows[static_cast<std::size_t>(row)]));
        }
        QVERIFY(gui.state().pointsBalance > 0);
        QCOMPARE(gui.widgetAs<QLabel>("积分显示")->text(),
                 q("当前积分： ") + QString::number(gui.state().pointsBalance));
        QVERIFY(gui.widgetAs<QLabel>("称号显示")->text().startsWith(q("称号：")));

        QTest::mouseClick(gui.widget("刷新任务按钮"), Qt::LeftButton);
        QCOMPARE(list->count(), static_cast<int>(gui.view().rows("超级列表框1").size()));

        QTest::mouseClick(gui.widget("设置按钮"), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(gui.view().picture("设置按钮"), Picture::Tools);
    }

    void statusBarClickOpensTheCountPage()
    {
        GuiApp gui;
        gui.start();
        QTest::mouseClick(gui.widget("状态条1"), Qt::LeftButton);
        QVERIFY(gui.widget("关于")->isVisible());
        QCOMPARE(gui.widgetAs<QTabWidget>("高级选择夹1")->currentIndex(), 1);
    }

    void themesRecolourTheToolbar()
    {
        GuiApp gui;
        gui.start();
        gui.state().pointsBalance = 500;
        auto* combo = gui.widgetAs<QComboBox>("按钮类型");
        QWidget* title = gui.widget("章节名称");
        const std::vector<Color> titleBackgrounds = {0xECECEC, 0xFFFF00, 0x000000, 0xFFFFFF};
        for (int theme = 0; theme < 5; ++theme) {
            gui.ui.answers.push_back(answer::No);  // the summer theme's background question
            combo->setCurrentIndex(theme);
            emit combo->activated(theme);
            QTest::mouseClick(gui.widget("保存设置"), Qt::LeftButton);
            if (theme < 4) {
                QCOMPARE(baseOf(title), toQColor(titleBackgrounds[static_cast<std::size_t>(theme)]));
            } else {
                QCOMPARE(baseOf(title), toQColor(gui.view().backColor("编辑框1")));
            }
            QVERIFY(gui.widget("开始书写按钮")->styleSheet().contains(
                cssColour(gui.view().buttonColors("开始书写按钮").normalBack)));
            QTest::mouseMove(gui.widget("开始书写按钮"));
            saveScreenshot(gui.binding->window(), ("theme-" + std::to_string(theme)).c_str());
        }
    }

    void colourPickerOpensARealChooserAndRecolours()
    {
        GuiApp gui;
        gui.start();
        QTimer::singleShot(100, [] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                dialog->setCurrentColor(QColor(0x20, 0x40, 0x60));
                dialog->accept();
            }
        });
        QTest::mouseClick(gui.widget("颜色"), Qt::LeftButton);
        QCOMPARE(gui.view().selectedColor("颜色"), 0x604020);
        QCOMPARE(baseOf(gui.widget("编辑框1")), QColor(0x20, 0x40, 0x60));
        QCOMPARE(gui.binding->window()->palette().color(QPalette::Window), QColor(0x20, 0x40, 0x60));
    }

    void largeFontAndStatusBarFollowAtOnce()
    {
        GuiApp gui;
        gui.start();
        QWidget* editor = gui.widget("编辑框1");
        QTest::mouseClick(gui.widget("大字体"), Qt::LeftButton);
        QCOMPARE(editor->font().pointSizeF(), 25.0);
        QTest::mouseClick(gui.widget("大字体"), Qt::LeftButton);
        QCOMPARE(editor->font().pointSizeF(), 16.0);

        const int height = editor->height();
        QTest::mouseClick(gui.widget("状态栏选择"), Qt::LeftButton);
        QVERIFY(!gui.widget("状态条1")->isVisible());
        QCOMPARE(editor->height(), height + 20);
        QTest::mouseClick(gui.widget("状态栏选择"), Qt::LeftButton);
        QVERIFY(gui.widget("状态条1")->isVisible());
        QCOMPARE(editor->height(), height);
    }

    void trayClickBringsBackAMinimisedWindow()
    {
        GuiApp gui;
        gui.start();
        gui.binding->window()->showMinimized();
        gui.view().userTrayEvent(tray::LeftClick);
        QTRY_VERIFY(!gui.binding->window()->isMinimized());
        QVERIFY(gui.binding->window()->isVisible());
    }

    void diaryShowsOrangeColours()
    {
        GuiApp gui;
        gui.start();
        QTest::mouseClick(gui.widget("写日记"), Qt::LeftButton);
        QVERIFY(gui.widget("编辑框1")->isEnabled());
        QCOMPARE(baseOf(gui.widget("编辑框1")), toQColor(0x0080FF));
        QCOMPARE(gui.binding->window()->palette().color(QPalette::Window), toQColor(0x0080FF));
        QVERIFY(gui.widgetAs<QLineEdit>("章节名称")->text().contains(q("日记")));
        saveScreenshot(gui.binding->window(), "diary");
    }
};

PENLARK_GUI_TEST_MAIN(SettingsPanelTest)
#include "settings_panel_test.moc"

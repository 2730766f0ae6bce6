#include "platform/qt_ui_services.h"

#include "platform/form_binding.h"
#include "platform/qt_convert.h"
#include "view/view.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

namespace penlark {

QStringList qtFilters(const GbText& filter)
{
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty()) continue;
        filters << QStringLiteral("%1 (%2)").arg(description, QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return filters;
}

QtUiServices::QtUiServices() = default;

QtUiServices::~QtUiServices()
{
    windows_.clear();
    delete tray_;
}

void QtUiServices::setMainWindow(QWidget* window, View* mainView)
{
    mainWindow_ = window;
    mainView_ = mainView;
}

int QtUiServices::messageBox(const GbText& text, int buttonsAndIcon, const GbText& title)
{
    QMessageBox box(mainWindow_);
    box.setWindowTitle(title.empty() ? QStringLiteral("信息：") : toQString(title));
    box.setText(toQString(text));
    box.setTextFormat(Qt::PlainText);
    switch (buttonsAndIcon & 0xF0) {
    case mb::IconError: box.setIcon(QMessageBox::Critical); break;
    case mb::IconQuestion: box.setIcon(QMessageBox::Question); break;
    case mb::IconWarning: box.setIcon(QMessageBox::Warning); break;
    case mb::IconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (buttonsAndIcon & 0x0F) {
    case mb::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case mb::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case mb::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Cancel: return answer::Cancel;
    case QMessageBox::Yes: return answer::Yes;
    case QMessageBox::No: return answer::No;
    case QMessageBox::Ok: return answer::Ok;
    default: return (buttonsAndIcon & 0x0F) == mb::Ok ? answer::Ok : answer::Cancel;
    }
}

namespace {
std::optional<std::filesystem::path> runFileDialog(QWidget* owner, const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(owner, toQString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtFilters(request.filter));
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(toQString(request.defaultExtension));
    if (!request.initialDirectory.empty()) dialog.setDirectory(pathToQString(request.initialDirectory));
    if (!request.proposedName.empty()) dialog.selectFile(pathToQString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return pathFromQString(dialog.selectedFiles().front());
}
} // namespace

std::optional<std::filesystem::path> QtUiServices::openFileDialog(const FileDialogRequest& request)
{
    return runFileDialog(mainWindow_, request, false);
}

std::optional<std::filesystem::path> QtUiServices::saveFileDialog(const FileDialogRequest& request)
{
    return runFileDialog(mainWindow_, request, true);
}

std::optional<std::filesystem::path> QtUiServices::browseForFolder(const GbText& title)
{
    const QString folder = QFileDialog::getExistingDirectory(mainWindow_, toQString(title));
    if (folder.isEmpty()) return std::nullopt;
    return pathFromQString(folder);
}

void QtUiServices::openUrl(const std::string& address)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

GbText QtUiServices::clipboardText() { return fromQString(QApplication::clipboard()->text()); }

void QtUiServices::setClipboardText(const GbText& text) { QApplication::clipboard()->setText(toQString(text)); }

void QtUiServices::setTrayIcon(Picture icon, const GbText& tooltip)
{
    if (icon == Picture::None) {
        if (tray_ != nullptr) tray_->hide();
        return;
    }
    // Where the desktop has no notification area the program simply runs without the icon.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    if (tray_ == nullptr) {
        tray_ = new QSystemTrayIcon(this);
        connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (mainView_ == nullptr) return;
            if (reason == QSystemTrayIcon::Trigger) mainView_->userTrayEvent(tray::LeftClick);
            if (reason == QSystemTrayIcon::DoubleClick) mainView_->userTrayEvent(tray::DoubleClick);
            if (reason == QSystemTrayIcon::Context) mainView_->userTrayEvent(tray::RightClick);
        });
    }
    tray_->setIcon(iconOf(icon));
    tray_->setToolTip(toQString(tooltip));
    tray_->show();
}

bool QtUiServices::runProgram(const std::string& commandLine)
{
    // The shell's folder window has no Linux program of that name: open the folder in the
    // desktop's file manager instead.
    static const std::string explorer = "explorer.exe ";
    if (commandLine.starts_with(explorer)) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(commandLine.substr(explorer.size()))));
    }
    QStringList arguments = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (arguments.isEmpty()) return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

GbText QtUiServices::currentUserName()
{
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name != nullptr) {
        return GbText::fromUtf8(entry->pw_name);
    }
    return GbText::fromUtf8(qEnvironmentVariable("USER").toStdString());
}

void QtUiServices::showWindow(View& window)
{
    auto& binding = windows_[&window];
    if (!binding) binding = std::make_unique<FormBinding>(window, mainWindow_);
    QWidget* widget = binding->window();
    if (widget == nullptr) return;
    if (widget->isMinimized()) widget->showNormal();
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void QtUiServices::hideWindow(View& window, bool destroy)
{
    const auto found = windows_.find(&window);
    if (found == windows_.end()) return;
    if (QWidget* widget = found->second->window()) widget->hide();
    if (!destroy) return;
    // This may run inside the window's own close handling: let go of the model at once and
    // of the widgets once control is back in the event loop.
    std::unique_ptr<FormBinding> binding = std::move(found->second);
    windows_.erase(found);
    binding->detach();
    if (binding->busy()) {
        binding.release()->deleteLater();
    }
}

FormBinding* QtUiServices::bindingOf(const View& window) const
{
    const auto found = windows_.find(&window);
    return found == windows_.end() ? nullptr : found->second.get();
}

} // namespace penlark

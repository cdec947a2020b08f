#include "app/gui_link_host.h"

#include "app/main_window.h"
#include "app/ui_call.h"
#include "app/window_messages.h"
#include "controls/progress_window.h"
#include "link/progress_text.h"
#include "text/language.h"

namespace tq370 {

GuiLinkHost::GuiLinkHost(MainWindow& window, ProgressWindow& progress)
    : window_(window), progress_(progress) {}

void GuiLinkHost::registerChanged(int reg) {
    if (changed_.mark(reg)) MessageWindow::post(&window_, WM_SHOW_CHANGED_REGISTERS, 0, 0);
}

void GuiLinkHost::linkStatus(LinkStatus status, std::stop_token stop) {
    MainWindow* window = &window_;
    callOnUiThread<LResult>(
        window,
        [window, status] {
            return MessageWindow::send(window, WM_LINK_NOTIFY, LINK_NOTIFY_STATUS,
                                       static_cast<LParam>(status));
        },
        std::move(stop));
}

void GuiLinkHost::chooseWifiProcessor(int count, std::stop_token stop) {
    MainWindow* window = &window_;
    callOnUiThread<LResult>(
        window,
        [window, count] {
            return MessageWindow::send(window, WM_LINK_NOTIFY, LINK_NOTIFY_WIFI_CHOICE, count);
        },
        std::move(stop));
}

MessageAnswer GuiLinkHost::messageBox(const MessageRequest& request, std::stop_token stop) {
    MainWindow* window = &window_;
    const QString text = QString::fromStdString(request.text);
    const QString caption = QString::fromStdString(request.caption);
    const BoxButtons buttons =
        request.buttons == MessageButtons::OkCancel ? BoxButtons::OkCancel : BoxButtons::Ok;
    const auto accepted = callOnUiThread<bool>(
        window,
        [window, text, caption, buttons] {
            return window->messageBoxes().ask(text, caption, buttons);
        },
        std::move(stop));
    if (!accepted) return MessageAnswer::Abandoned;
    return *accepted ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void GuiLinkHost::showProgress(ProgressTask task, int range) {
    progress_.open();
    progress_.setProgressTotal(range);
    progress_.setProgress(QString::fromStdString(progressFormat(task, currentLanguage())), {}, 0);
}

void GuiLinkHost::setProgress(int position) {
    progress_.setProgress(position);
}

void GuiLinkHost::hideProgress() {
    progress_.closeProgress();
}

void GuiLinkHost::setCaption(const std::string& caption) {
    MainWindow* window = &window_;
    QMetaObject::invokeMethod(
        window,
        [window, caption = QString::fromStdString(caption)] { window->setCaption(caption); },
        Qt::QueuedConnection);
}

}  // namespace tq370

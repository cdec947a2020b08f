#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/main_window.h"
#include "app/program_link.h"
#include "app/window_messages.h"
#include "support/temp_folder.h"
#include "text/language.h"

namespace tq370::test {

// The main window over a link of its own, in its own data folder, in English. The link is
// started only by tests that want one (startDemo runs the simulated processor).
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override { setCurrentLanguage(Language::English); }

    void makeWindow(bool demo = false, double timeScale = 1.0) {
        ProgramLinkSetup setup;
        setup.demo = demo;
        setup.timeScale = timeScale;
        setup.folders = DataFolders(folder.path() + "program/", folder.path() + "fallback/");
        link = std::make_unique<ProgramLink>(std::move(setup));
        window = std::make_unique<MainWindow>(*link);
        window->messageBoxes().setAnswerAtOnce(true);
        window->show();
        window->setFocus();
    }

    // Runs the event loop until done() holds or the real time is up.
    bool waitFor(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    void settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }

    RegisterTable& registers() { return link->context().registers; }
    int pendingWrites() {
        int pending = 0;
        for (int reg = 0; reg < REGISTER_COUNT; ++reg) pending += registers().isWritePending(reg);
        return pending;
    }
    LResult sendToWindow(unsigned message, WParam wParam, LParam lParam) {
        return MessageWindow::send(window.get(), message, wParam, lParam);
    }

    TempFolder folder;
    std::unique_ptr<ProgramLink> link;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tq370::test

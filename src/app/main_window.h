#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <chrono>

#include "app/channel_strip.h"
#include "app/design_layout.h"
#include "app/eq_panel.h"
#include "app/gui_link_host.h"
#include "app/message_boxes.h"
#include "app/update_check.h"
#include "controls/image_button.h"
#include "controls/image_slider.h"
#include "controls/message_window.h"
#include "controls/progress_window.h"
#include "controls/styled_label.h"
#include "controls/value_box.h"
#include "params/channel_links.h"
#include "text/language.h"

namespace tq370 {

class ProgramLink;

// How long the user-interface thread spent showing what the link reported.
struct ShowTimings {
    int registersShown = 0;
    std::chrono::nanoseconds total{0};
    std::chrono::nanoseconds longestBatch{0};
};

// The program's one window, borderless on the 1280 × 728 design canvas: the title row
// with its window buttons and the link status, the master volume, twelve channel strips
// and, below them, the EQ panel. It starts the link, turns the strips' and the EQ panel's
// items into register writes (the write path) and the link's reports into what the
// controls show (the display route), and ends the program.
class MainWindow : public MessageWindow {
public:
    explicit MainWindow(ProgramLink& link);
    ~MainWindow() override;

    // The rest of the start-up once the window is made: the link and the update check
    // started, then showStartState. The window goes to (0, 0) at 1280 × 728. False when
    // the link could not start (the user was told).
    bool start();
    // Labels in the current language, channel 1 selected, the strips' positions shown
    // from the table (its defaults before anything is read); all posted.
    void showStartState();

    // Asks whether to end the program; on Yes stops everything and ends the event loop
    // with exit code 0.
    void confirmClose();
    // Ends without asking (a finished screenshot), the event loop with exitCode.
    void shutDown(int exitCode = 0);

    // The engine's caption ("TQ370-COM"): the window title, with the demonstration's mark.
    void setCaption(const QString& caption);
    MessageBoxes& messageBoxes() { return boxes_; }
    GuiLinkHost& linkHost() { return host_; }
    ProgressWindow& engineProgress() { return engineProgress_; }

    ChannelStrip& strip(int slot) { return *strips_[static_cast<std::size_t>(slot)]; }
    EqPanel& eqPanel() { return *eqPanel_; }
    const ChannelLinks& channelLinks() const { return links_; }
    ImageButton& windowButton(int n) { return *windowButtons_[static_cast<std::size_t>(n)]; }
    StyledLabel& titleLabel() { return *title_; }
    StyledLabel& masterLabel() { return *masterLabel_; }
    ValueBox& masterBox() { return *masterBox_; }
    ImageSlider& masterSlider() { return *masterSlider_; }
    const Scale& scale() const { return scale_; }
    int currentSlot() const { return currentSlot_; }
    const ShowTimings& showTimings() const { return showTimings_; }
    // When the window was first painted (steady clock), or the epoch before.
    std::chrono::steady_clock::time_point firstPaint() const { return firstPaint_; }

protected:
    LResult handleMessage(unsigned message, WParam wParam, LParam lParam) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void createControls();
    void layOut();
    void showRegister(int reg);
    void showChangedRegisters();
    void showLinkStatus(int status);
    void chooseWifiProcessor();
    void setParam(int sender, int item);
    void selectChannel(int slot);
    void linkPairs(int on, int source);
    void relabel();
    void onWindowButton(int n);
    void togglePause();
    void masterSliderMoved(int levelDb);
    void masterBoxChanged();
    void showAbout();
    void switchLanguage(Language language);
    bool inTitleRow(QPoint point) const;
    QString windowTitleText() const;

    ProgramLink& link_;
    MessageBoxes boxes_{this};
    ProgressWindow engineProgress_{this};
    ProgressWindow updateProgress_{this};
    GuiLinkHost host_{*this, engineProgress_};
    UpdateCheck updateCheck_{*this, updateProgress_};

    SpeakerPositions positions_{};
    ChannelLinks links_;
    int currentSlot_ = 0;
    QString engineCaption_;
    ImageButton::Check statusState_ =
        ImageButton::TOGGLE_OFF;  // the link button's image: searching

    Scale scale_;
    QImage background_;
    std::array<ImageButton*, WINDOW_BUTTON_COUNT> windowButtons_{};
    StyledLabel* title_ = nullptr;
    StyledLabel* demoNotice_ = nullptr;  // only in a demonstration
    StyledLabel* masterLabel_ = nullptr;
    ValueBox* masterBox_ = nullptr;
    ImageSlider* masterSlider_ = nullptr;
    std::array<ChannelStrip*, CHANNEL_COUNT> strips_{};
    EqPanel* eqPanel_ = nullptr;

    bool closing_ = false;
    bool movingByHand_ = false;  // the platform cannot move the window itself
    QPoint moveGrip_;
    ShowTimings showTimings_;
    std::chrono::steady_clock::time_point firstPaint_{};
};

}  // namespace tq370

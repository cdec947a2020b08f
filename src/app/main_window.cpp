#include "app/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/app_texts.h"
#include "app/main_window_background.h"
#include "app/program_link.h"
#include "app/wifi_choice_dialog.h"
#include "app/window_messages.h"
#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "params/display_route.h"
#include "params/master_volume.h"
#include "params/param_encoding.h"
#include "params/param_item.h"
#include "params/write_path.h"
#include "platform/program_version.h"
#include "storage/config_file.h"
#include "text/program_texts.h"
#include "text/string_table.h"
#include "text/text_ids.h"

namespace tq370 {
namespace {

const QString FACE = QStringLiteral("微软雅黑");
const QColor CAPTION_OFF(0xd8, 0xdc, 0xe2);
const QColor CAPTION_ON(0xff, 0xff, 0xff);
const QColor TITLE_COLOUR(0xe6, 0xe8, 0xeb);
const QColor DEMO_COLOUR(0xff, 0x8a, 0x1c);
constexpr unsigned CENTRED = ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER;
constexpr unsigned LEFT_CENTRED = ALIGN_SINGLE_LINE | ALIGN_VCENTER;
constexpr int ICON_RESOURCE = 128;
constexpr int MASTER_SLIDER_STYLE = 15;
constexpr int MASTER_SLIDER_IMAGE = 135;
// The link button's caption sits right of its lamp (image pixels of one frame).
const QRect LINK_CAPTION_RECT(14, 0, 68, 18);
// Registers shown per batch of the link's reports, so that a read-back never holds the
// user-interface thread long.
constexpr int SHOW_BATCH = 400;

const int LINK_STATE_ENTRIES[] = {TXT_LINK_CONNECTED, TXT_LINK_SEARCHING, TXT_LINK_SUSPENDED};

QString entryText(int entry) {
    return QString::fromUtf8(text(entry));
}

}  // namespace

MainWindow::MainWindow(ProgramLink& link) : MessageWindow(nullptr), link_(link) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setWindowIcon(QIcon(QPixmap::fromImage(loadArtwork(ICON_RESOURCE))));
    engineCaption_ = QString::fromUtf8(CAPTION_PROGRAM);
    setWindowTitle(windowTitleText());
    resize(DESIGN_WIDTH, DESIGN_HEIGHT);
    createControls();
    layOut();
}

MainWindow::~MainWindow() {
    // The link's threads call this window's host: they end first.
    updateCheck_.stop();
    link_.stop();
}

void MainWindow::createControls() {
    for (int n = 0; n < WINDOW_BUTTON_COUNT; ++n) {
        const DesignRect& r = WINDOW_BUTTON_RECTS[static_cast<std::size_t>(n)];
        auto* button = new ImageButton(this, ID_WINDOW_BUTTON_FIRST + n, n);
        button->resize(r.right - r.left, r.bottom - r.top);  // design size: frames counted right
        button->setButtonImage(WINDOW_BUTTON_IMAGES[static_cast<std::size_t>(n)], this);
        windowButtons_[static_cast<std::size_t>(n)] = button;
    }
    windowButton(BUTTON_LINK).setTextRect(LINK_CAPTION_RECT);
    windowButton(BUTTON_LINK).setButtonCheck(statusState_);
    // The system and routing dialogs are not part of the program yet.
    windowButton(BUTTON_SYSTEM).setEnabled(false);
    windowButton(BUTTON_MIX).setEnabled(false);

    title_ = new StyledLabel(this, ID_TITLE_LABEL);
    title_->setHost(this);
    title_->setLabelText(engineCaption_);
    if (link_.demo()) {
        demoNotice_ = new StyledLabel(this);
        demoNotice_->setHost(this);
    }
    masterLabel_ = new StyledLabel(this, ID_MASTER_LABEL);
    masterLabel_->setHost(this);

    masterBox_ = new ValueBox(this, ID_MASTER_BOX);
    masterBox_->setFormat({ValueKind::Volume, VOLUME_MIN_DB, VOLUME_MAX_DB, 1, "%0.0fdB"});
    masterSlider_ = new ImageSlider(this, ID_MASTER_SLIDER);
    masterSlider_->setSliderStyle(MASTER_SLIDER_STYLE, this, MASTER_SLIDER_IMAGE);
    masterSlider_->setVertical(false);
    masterSlider_->setRange(VOLUME_MIN_DB, VOLUME_MAX_DB);
    masterSlider_->setValueScale(1);
    showRegister(REG_MASTER_VOLUME);

    eqPanel_ = new EqPanel(this, link_.context().registers, links_, boxes_);
    for (int slot = 0; slot < CHANNEL_COUNT; ++slot) {
        strips_[static_cast<std::size_t>(slot)] = new ChannelStrip(this, slot, positions_);
    }
}

bool MainWindow::start() {
    std::string problem;
    const bool started = link_.start(host_, problem);
    if (!started && !problem.empty()) boxes_.ask(QString::fromStdString(problem));
    updateCheck_.start(link_.folders());
    move(0, 0);
    resize(DESIGN_WIDTH, DESIGN_HEIGHT);
    showStartState();
    return started;
}

void MainWindow::showStartState() {
    post(this, WM_LANGUAGE_CHANGED, 0, 0);
    post(this, WM_SELECT_CHANNEL, 0, 0);
    for (int slot = 0; slot < CHANNEL_COUNT; ++slot) {
        post(this, WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, REG_SPEAKER_POSITION + slot);
    }
}

void MainWindow::layOut() {
    scale_ = Scale::forClient(size());
    if (background_.size() != size()) background_ = mainWindowBackground(size());

    for (int n = 0; n < WINDOW_BUTTON_COUNT; ++n) {
        ImageButton& button = windowButton(n);
        button.setGeometry(
            scaledKeepingHeight(WINDOW_BUTTON_RECTS[static_cast<std::size_t>(n)], scale_));
        const double font = n < BUTTON_SYSTEM ? FONT_WINDOW_BUTTONS : FONT_DIALOG_BUTTONS;
        button.setButtonTextStyle(font * scale_.s, FACE, CAPTION_OFF, CAPTION_ON, CENTRED);
    }
    title_->setGeometry(scaledStretched(TITLE_LABEL_RECT, scale_));
    title_->setLabelStyle(FONT_TITLE * scale_.s, LEFT_CENTRED, TITLE_COLOUR, FACE);
    if (demoNotice_) {
        demoNotice_->setGeometry(scaledStretched(DEMO_NOTICE_RECT, scale_));
        demoNotice_->setLabelStyle(FONT_TITLE * scale_.s, CENTRED, DEMO_COLOUR, FACE);
    }
    masterLabel_->setGeometry(scaledStretched(MASTER_LABEL_RECT, scale_));
    masterLabel_->setLabelStyle(FONT_MASTER_LABEL * scale_.s, CENTRED, TITLE_COLOUR, FACE);
    masterBox_->setGeometry(scaledAt(MASTER_BOX_LEFT, MASTER_BOX_TOP, MASTER_BOX_SIZE, scale_));
    masterBox_->setBoxFont(scaled(FONT_MASTER_BOX * scale_.s), Qt::white, FACE);
    masterSlider_->setGeometry(
        scaledAt(MASTER_SLIDER_LEFT, MASTER_SLIDER_TOP, MASTER_SLIDER_SIZE, scale_));
    for (int k = 0; k < CHANNEL_COUNT; ++k) {
        ChannelStrip& s = strip(k);
        s.setGeometry(scaledStretched(channelStripRect(k), scale_));
        s.layoutStrip(scale_);
    }
    eqPanel_->setGeometry(scaledStretched(EQ_PANEL_RECT, scale_));
    eqPanel_->layoutPanel(scale_);
    update();
}

LResult MainWindow::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    const int w = static_cast<int>(wParam);
    const int l = static_cast<int>(lParam);
    switch (message) {
        case WM_LINK_NOTIFY:
            if (w == LINK_NOTIFY_REGISTER) showRegister(l);
            if (w == LINK_NOTIFY_STATUS) showLinkStatus(l);
            if (w == LINK_NOTIFY_WIFI_CHOICE) chooseWifiProcessor();
            return 0;
        case WM_SHOW_CHANGED_REGISTERS:
            showChangedRegisters();
            return 0;
        case WM_SET_PARAM:
            setParam(w, l);
            return 1;
        case WM_SELECT_CHANNEL:
            selectChannel(l);
            return 0;
        case WM_LINK_PAIRS:
            linkPairs(w, l);
            return 1;
        case WM_LANGUAGE_CHANGED:
            relabel();
            return 0;
        case ID_MASTER_SLIDER:
            masterSliderMoved(l);
            return 0;
        case ID_MASTER_BOX:
            masterBoxChanged();
            return 0;
        default:
            break;
    }
    if (message >= ID_WINDOW_BUTTON_FIRST &&
        message < ID_WINDOW_BUTTON_FIRST + WINDOW_BUTTON_COUNT) {
        onWindowButton(l);
    }
    return 0;
}

void MainWindow::showRegister(int reg) {
    const DisplayRoute route = routeRegister(reg);
    const int value = link_.context().registers.getRegister(reg);
    switch (route.target) {
        case DisplayRoute::Target::Strip:
            strip(route.slot).showItem(route.item, value);
            break;
        case DisplayRoute::Target::MasterVolume: {
            const int level = decodeVolumeLevel(value);
            masterSlider_->setSliderValue(level);
            masterBox_->setRealValue(level);
            break;
        }
        case DisplayRoute::Target::EqPanel:
            eqPanel_->showItem(route.item, value, route.slot);
            break;
        case DisplayRoute::Target::None:
            break;
    }
}

void MainWindow::showChangedRegisters() {
    const auto started = std::chrono::steady_clock::now();
    int shown = 0;
    const bool more = host_.changedRegisters().drain(
        [&](int reg) {
            showRegister(reg);
            ++shown;
        },
        SHOW_BATCH);
    const auto spent = std::chrono::steady_clock::now() - started;
    showTimings_.registersShown += shown;
    showTimings_.total += spent;
    showTimings_.longestBatch = std::max(
        showTimings_.longestBatch, std::chrono::duration_cast<std::chrono::nanoseconds>(spent));
    // The rest waits behind whatever else is queued, input and painting included.
    if (more) post(this, WM_SHOW_CHANGED_REGISTERS, 0, 0);
}

void MainWindow::showLinkStatus(int status) {
    const bool connected = status == static_cast<int>(LinkStatus::Connected);
    statusState_ = connected ? ImageButton::TOGGLE_ON : ImageButton::TOGGLE_OFF;
    ImageButton& button = windowButton(BUTTON_LINK);
    button.setButtonCheck(statusState_);
    button.setCaption(entryText(connected ? TXT_LINK_CONNECTED : TXT_LINK_SEARCHING));
    title_->setLabelText(engineCaption_);
}

void MainWindow::chooseWifiProcessor() {
    const std::vector<std::uint32_t> addresses = link_.discoveredProcessors();
    if (addresses.empty()) return;
    std::uint32_t chosen = addresses.front();
    if (!boxes_.answersAtOnce()) {
        WifiChoiceDialog dialog(this, addresses);
        dialog.exec();
        chosen = dialog.chosenAddress();
    }
    if (chosen != 0) link_.chooseProcessor(chosen);
}

void MainWindow::setParam(int sender, int item) {
    // Strips send their slot, the EQ panel 100 + the slot it shows.
    int value = 0;
    if (isSlot(sender)) {
        value = strip(sender).encodeItem(item);
    } else if (isSlot(sender - CHANNEL_SENDER_BASE)) {
        value = eqPanel_->encodeItem(item);
    } else {
        return;
    }
    const ParamWriteResult written =
        writeParam(link_.context().registers, links_, sender, item, value);
    for (int reg : written.copies) post(this, WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, reg);
}

void MainWindow::selectChannel(int slot) {
    if (!isSlot(slot)) return;
    currentSlot_ = slot;
    const auto selected = selectedSlots(links_.jointGroup, slot);
    for (int k = 0; k < CHANNEL_COUNT; ++k)
        strip(k).setSelected(selected[static_cast<std::size_t>(k)]);
    eqPanel_->loadChannel(slot);
}

void MainWindow::linkPairs(int on, int source) {
    if (on == 1) {
        if (source != static_cast<int>(PairSource::Left) &&
            source != static_cast<int>(PairSource::Right)) {
            return;
        }
        for (int k = 0; k < CHANNEL_COUNT; ++k) strip(k).setPositionEnabled(false);
        const std::vector<int> written = tq370::linkPairs(
            link_.context().registers, links_, positions_, static_cast<PairSource>(source));
        for (int reg : written) post(this, WM_LINK_NOTIFY, LINK_NOTIFY_REGISTER, reg);
        post(this, WM_SELECT_CHANNEL, 0, currentSlot_);
    } else if (on == 0) {
        unlinkPairs(links_);
        post(this, WM_SELECT_CHANNEL, 0, currentSlot_);
        for (int k = 0; k < CHANNEL_COUNT; ++k) strip(k).setPositionEnabled(true);
    }
}

void MainWindow::relabel() {
    ImageButton& link = windowButton(BUTTON_LINK);
    const auto state =
        findStateEntry(link.caption().toStdString(), LINK_STATE_ENTRIES, TXT_LINK_SEARCHING);
    if (state) link.setCaption(entryText(*state));
    masterLabel_->setLabelText(entryText(TXT_MASTER_VOLUME));
    windowButton(BUTTON_SYSTEM).setCaption(entryText(TXT_SYSTEM_SETTINGS));
    windowButton(BUTTON_MIX).setCaption(entryText(TXT_MIX_SETTINGS));
    setWindowTitle(windowTitleText());
    if (demoNotice_)
        demoNotice_->setLabelText(QString::fromUtf8(TEXT_DEMO_NOTICE.inCurrentLanguage()));
    for (ChannelStrip* s : strips_) s->relabel();
    eqPanel_->relabel();
}

void MainWindow::setCaption(const QString& caption) {
    engineCaption_ = caption;
    setWindowTitle(windowTitleText());
}

QString MainWindow::windowTitleText() const {
    if (!link_.demo()) return engineCaption_;
    return engineCaption_ + QString::fromUtf8(TEXT_DEMO_SUFFIX.inCurrentLanguage());
}

void MainWindow::onWindowButton(int n) {
    switch (n) {
        case BUTTON_MINIMISE:
            showMinimized();
            break;
        case BUTTON_MAXIMISE:
            if (isMaximized()) {
                showNormal();
            } else {
                showMaximized();
            }
            break;
        case BUTTON_CLOSE:
            confirmClose();
            break;
        case BUTTON_LINK:
            togglePause();
            break;
        default:
            break;
    }
}

void MainWindow::togglePause() {
    ImageButton& button = windowButton(BUTTON_LINK);
    // The button shows the link's state, not its own clicks.
    button.setButtonCheck(statusState_);
    if (!link_.paused()) {
        link_.setPaused(true);
        button.setCaption(entryText(TXT_LINK_SUSPENDED));
    } else {
        // Resuming takes the link down: the engine connects and reads everything again.
        link_.setPaused(false);
    }
}

void MainWindow::masterSliderMoved(int levelDb) {
    masterBox_->setRealValue(levelDb);
    writeMasterVolume(link_.context().registers, levelDb);
}

void MainWindow::masterBoxChanged() {
    const double levelDb = masterBox_->getRealValue();
    masterSlider_->setSliderValue(levelDb);
    writeMasterVolume(link_.context().registers, levelDb);
}

void MainWindow::confirmClose() {
    if (closing_) return;
    if (!boxes_.ask(entryText(TXT_CONFIRM_EXIT), entryText(TXT_TIP), BoxButtons::YesNo)) return;
    shutDown();
}

void MainWindow::shutDown(int exitCode) {
    closing_ = true;
    hide();
    updateCheck_.stop();
    link_.stop();
    QCoreApplication::exit(exitCode);
}

void MainWindow::showAbout() {
    const std::uint32_t version = programVersion();
    const QString body = QStringLiteral("TQ370 %1.%2\n%3")
                             .arg(version >> 16)
                             .arg(version & 0xFFFF)
                             .arg(QString::fromUtf8(TEXT_ABOUT_BODY.inCurrentLanguage()));
    boxes_.ask(body, QString::fromUtf8(TEXT_ABOUT_CAPTION.inCurrentLanguage()));
}

void MainWindow::switchLanguage(Language language) {
    setCurrentLanguage(language);
    // Kept for the next start, as the mode page keeps it; a failed write changes this run only.
    ConfigFile(link_.folders(), DataFolders::runningProgramName())
        .writeIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE, static_cast<int>(language));
    post(this, WM_LANGUAGE_CHANGED, static_cast<WParam>(language), static_cast<LParam>(language));
}

bool MainWindow::inTitleRow(QPoint point) const {
    return point.y() < TITLE_ROW_HEIGHT * scale_.sy;
}

void MainWindow::paintEvent(QPaintEvent*) {
    if (firstPaint_ == std::chrono::steady_clock::time_point{}) {
        firstPaint_ = std::chrono::steady_clock::now();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void MainWindow::resizeEvent(QResizeEvent*) {
    layOut();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Every way of closing asks first; the answer ends the program itself.
    event->ignore();
    confirmClose();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter confirms nothing here: it must not close or change anything.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    MessageWindow::keyPressEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !inTitleRow(point) || isMaximized()) return;
    setCursor(Qt::PointingHandCursor);
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    movingByHand_ = true;
    moveGrip_ = point;
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (movingByHand_) move(event->globalPosition().toPoint() - moveGrip_);
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    movingByHand_ = false;
    unsetCursor();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!inTitleRow(event->pos())) return;
    QMenu menu(this);
    connect(menu.addAction(QString::fromUtf8(TEXT_ABOUT_ENTRY.inCurrentLanguage())),
            &QAction::triggered, this, [this] { showAbout(); });
    QMenu* languages = menu.addMenu(entryText(TXT_LANGUAGE));
    for (int index = 0; index < LANGUAGE_COUNT; ++index) {
        const Language language = *languageFromIndex(index);
        QAction* action = languages->addAction(QString::fromUtf8(
            LANGUAGE_NAMES[static_cast<std::size_t>(index)].data(),
            static_cast<qsizetype>(LANGUAGE_NAMES[static_cast<std::size_t>(index)].size())));
        action->setCheckable(true);
        action->setChecked(language == currentLanguage());
        connect(action, &QAction::triggered, this, [this, language] { switchLanguage(language); });
    }
    menu.exec(event->globalPos());
}

}  // namespace tq370

#include <gmock/gmock.h>

#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/delay_link_dialog.h"
#include "app/pair_link_dialog.h"
#include "eq_fixture.h"

namespace tq370::test {
namespace {

using namespace eq_panel;
using ::testing::ElementsAre;
constexpr auto OFF = ImageButton::TOGGLE_OFF;
constexpr auto ON = ImageButton::TOGGLE_ON;

class LinkDialogs : public EqFixture {
protected:
    const ChannelLinks& links() { return window->channelLinks(); }
    int volume(int slot) { return registers().getRegister(REG_CHANNEL_VOLUME + slot); }
    // Link L&R pressed and the source dialog answered by `answer`.
    void linkPairsAnswering(std::function<void(PairLinkDialog&)> answer) {
        whenModalOpens([answer](QWidget& w) { answer(dynamic_cast<PairLinkDialog&>(w)); });
        clickButton(panel().button(BUTTON_LINK_PAIRS));
        settle();
    }
};

TEST_F(LinkDialogs, TheSourceDialogSpeaksTheCurrentLanguage) {
    for (Language language : {Language::English, Language::TraditionalChinese}) {
        setCurrentLanguage(language);
        PairLinkDialog dialog(window.get());
        const bool english = language == Language::English;
        EXPECT_EQ(dialog.leftToRight().text(),
                  english ? "Copy from left to right." : QString::fromUtf8("從左複製到右"));
        EXPECT_EQ(dialog.rightToLeft().text(),
                  english ? "Copy from right to left." : QString::fromUtf8("從右複製到左"));
        EXPECT_EQ(dialog.okButton().text(), english ? "OK" : QString::fromUtf8("確定"));
        EXPECT_EQ(dialog.cancelButton().text(), english ? "exit" : QString::fromUtf8("退出"));
        EXPECT_TRUE(dialog.leftToRight().isChecked());
        EXPECT_EQ(dialog.source(), PairSource::Left);
        dialog.rightToLeft().setChecked(true);
        EXPECT_EQ(dialog.source(), PairSource::Right);
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.parentWidget(), window.get());
    }
    setCurrentLanguage(Language::English);
}

TEST_F(LinkDialogs, LinkingCopiesEachSourceOntoItsPartnerWithTheVolumeRule) {
    struct Case {
        PairSource source;
        GroupArray groups;
        int sourceSlot, partner;
        int gain, q;  // given to the source's band 4 gain and its subwoofer's band 0 Q
    };
    const Case cases[] = {
        {PairSource::Left, {1, 1, 3, 3, 5, 5, 7, 7, 0, 0, 11, 11}, 0, 1, 560, 63},
        {PairSource::Right, {2, 2, 4, 4, 6, 6, 8, 8, 0, 0, 12, 12}, 1, 0, 430, 95},
    };
    for (const Case& c : cases) {
        registers().setRegister(REG_CHANNEL_VOLUME + c.sourceSlot, 600);
        registers().setRegister(REG_CHANNEL_VOLUME + c.partner, 88);
        registers().setRegister(bandRegister(c.sourceSlot, 4, BandField::Gain), c.gain);
        registers().setRegister(bandRegister(c.sourceSlot + 10, 0, BandField::Q), c.q);
        linkPairsAnswering([&](PairLinkDialog& d) {
            if (c.source == PairSource::Right) d.rightToLeft().setChecked(true);
            d.okButton().click();
        });
        EXPECT_EQ(links().jointGroup, c.groups);
        EXPECT_EQ(volume(c.partner), 100) << "0 dB; the partner keeps its phase";
        EXPECT_EQ(bandGain(c.partner, 4), c.gain);
        EXPECT_EQ(registers().getRegister(bandRegister(c.partner + 10, 0, BandField::Q)), c.q);
        EXPECT_EQ(panel().scope().curve(c.partner).gainDb[response::FIRST_EQ_BAND + 4],
                  (c.gain - 500) / 10.0)
            << "the copies are shown";
        EXPECT_EQ(panel().button(BUTTON_LINK_PAIRS).buttonCheck(), ON);
        EXPECT_FALSE(window->strip(0).button(ChannelStrip::BUTTON_POSITION).isEnabled());

        clickButton(panel().button(BUTTON_LINK_PAIRS));  // off again: no question
        settle();
        EXPECT_THAT(links().jointGroup, ::testing::Each(0));
        EXPECT_EQ(panel().button(BUTTON_LINK_PAIRS).buttonCheck(), OFF);
        EXPECT_TRUE(window->strip(0).button(ChannelStrip::BUTTON_POSITION).isEnabled());
    }
}

TEST_F(LinkDialogs, ACancelledSourceDialogLinksNothing) {
    linkPairsAnswering([](PairLinkDialog& d) { d.cancelButton().click(); });
    EXPECT_THAT(links().jointGroup, ::testing::Each(0));
    EXPECT_EQ(panel().button(BUTTON_LINK_PAIRS).buttonCheck(), OFF);
    EXPECT_EQ(pendingWrites(), 0);
}

void rightClick(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), widget.mapToGlobal(QPointF(at)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST_F(LinkDialogs, TheDelayDialogBuildsGroupsThatShareADelay) {
    registers().setRegister(REG_CHANNEL_DELAY + 6, 500);
    GroupArray seen{};
    QString title;
    bool blinked = false;
    whenModalOpens([&](QWidget& w) {
        auto& dialog = dynamic_cast<DelayLinkDialog&>(w);
        title = dialog.windowTitle();
        DelayLinkSeats& seats = dialog.seats();
        EXPECT_EQ(seats.delayBox(6).text(), "0.500") << "the delays when it opens";
        click(seats.sourceButton(0), seats.sourceButton(0).activeArea().center());
        settle();
        EXPECT_TRUE(seats.isBlinking());
        for (int seat : {2, 4}) click(seats, DelayLinkSeats::seatRect(seat).center());
        seen = links().delayGroup;
        EXPECT_FALSE(seats.sourceButton(2).isEnabled());
        EXPECT_TRUE(seats.sourceButton(1).isEnabled());
        EXPECT_EQ(seats.seatColour(2), DelayLinkSeats::groupColour(1));
        const QColor before = seats.seatColour(1);
        seats.blink();
        blinked = seats.seatColour(1) != before;

        typeInto(seats.delayBox(4), "1");
        EXPECT_EQ(seats.delayBox(0).text(), "1.000") << "the group's boxes follow";
        rightClick(seats, DelayLinkSeats::seatRect(2).center());
        EXPECT_TRUE(seats.sourceButton(2).isEnabled());
        dialog.accept();
    });
    clickButton(panel().button(BUTTON_LINK_DELAY));
    settle();
    EXPECT_EQ(title, "    Link Delay");
    EXPECT_THAT(seen, ElementsAre(1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(blinked) << "unlinked seats blink in the source's colour";
    for (int reg : {193, 195, 197}) EXPECT_EQ(registers().getRegister(reg), 1000) << reg;
    EXPECT_EQ(registers().getRegister(194), 0);
    EXPECT_THAT(links().delayGroup, ElementsAre(1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(panel().delayBox(2).text(), "1.000") << "the panel shows what was written";
    EXPECT_EQ(panel().button(BUTTON_LINK_DELAY).buttonCheck(), ON) << "lit while groups exist";

    // The panel's own delay box carries an edit to the group.
    typeInto(panel().delayBox(0), "2");
    EXPECT_EQ(registers().getRegister(197), 2000);
    EXPECT_EQ(registers().getRegister(195), 1000) << "slot 2 left the group";
}

}  // namespace
}  // namespace tq370::test

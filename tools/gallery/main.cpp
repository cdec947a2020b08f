// Renders every control in each of its states into one PNG for reviews and the README:
//   QT_QPA_PLATFORM=offscreen gallery docs/gallery.png
#include <QApplication>
#include <QPainter>

#include <cstdio>
#include <functional>
#include <memory>

#include "controls/artwork.h"
#include "controls/caption_layout.h"
#include "controls/image_button.h"
#include "controls/image_slider.h"
#include "controls/progress_window.h"
#include "controls/styled_combo_box.h"
#include "controls/styled_label.h"
#include "controls/value_box.h"
#include "sheet.h"
#include "stage.h"

namespace tq370::gallery {
namespace {

constexpr int PAD = 8;
constexpr int ZOOM = 2;
const QColor CAPTION_OFF(0xd8, 0xdc, 0xe2);
const QColor CAPTION_ON(0xff, 0xff, 0xff);

enum class Look { NORMAL, ON, HOVER, DISABLED };

const char* lookName(Look look) {
    switch (look) {
        case Look::NORMAL:
            return "normal";
        case Look::ON:
            return "on";
        case Look::HOVER:
            return "hover";
        default:
            return "disabled";
    }
}

// Shows one control on a fresh stage, lets `prepare` put it in a state, and takes the
// picture of the stage.
template <typename Control>
QImage shoot(QSize size, const std::function<void(Control&)>& setup,
             const std::function<void(Control&)>& prepare = {}) {
    Stage stage(size.width() + 2 * PAD, size.height() + 2 * PAD);
    auto* control = new Control(&stage, 1000);
    control->setGeometry(PAD, PAD, size.width(), size.height());
    control->show();
    setup(*control);
    if (prepare) prepare(*control);
    return stage.snapshot();
}

struct ButtonSample {
    int resource;
    QSize size;
    QString caption;
    double fontSize;
    bool toggle;
};

void buttonRow(Sheet& sheet, const ButtonSample& sample, std::initializer_list<Look> looks) {
    for (Look look : looks) {
        const QImage picture = shoot<ImageButton>(
            sample.size,
            [&](ImageButton& b) {
                b.setButtonImage(sample.resource, b.parentWidget());
                b.setButtonTextStyle(sample.fontSize, QStringLiteral("微软雅黑"), CAPTION_OFF,
                                     CAPTION_ON, ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER);
                b.setCaption(sample.caption);
                if (sample.toggle)
                    b.setButtonCheck(look == Look::ON ? ImageButton::TOGGLE_ON
                                                      : ImageButton::TOGGLE_OFF);
            },
            [&](ImageButton& b) {
                if (look == Look::HOVER) mouseMove(b, b.rect().center());
                if (look == Look::DISABLED) b.setEnabled(false);
            });
        sheet.cell(picture, QStringLiteral("%1 %2").arg(sample.resource).arg(lookName(look)));
    }
}

void buttons(Sheet& sheet) {
    const auto all = {Look::NORMAL, Look::ON, Look::HOVER, Look::DISABLED};
    sheet.section(QStringLiteral("Image buttons: normal, toggle on, hover, disabled"));
    buttonRow(sheet, {143, {65, 25}, QStringLiteral("复位"), 13, true}, all);
    buttonRow(sheet, {159, {89, 22}, QStringLiteral("系统设置"), 13, true}, all);
    buttonRow(sheet, {148, {45, 21}, QStringLiteral("正相"), 12, true}, all);
    buttonRow(sheet, {139, {82, 18}, QStringLiteral("  Search.."), 12, true},
              {Look::NORMAL, Look::ON, Look::HOVER, Look::DISABLED});
    buttonRow(sheet, {157, {89, 22}, QStringLiteral("    左右联调"), 12, true},
              {Look::NORMAL, Look::ON, Look::DISABLED});
    buttonRow(sheet, {150, {96, 19}, QStringLiteral("CH1"), 14, false},
              {Look::NORMAL, Look::HOVER});
    buttonRow(sheet, {151, {16, 16}, QStringLiteral("3"), 10, true}, all);
    buttonRow(sheet, {142, {14, 14}, QString(), 10, true}, all);
    buttonRow(sheet, {152, {33, 19}, QString(), 10, true}, all);
    buttonRow(sheet, {147, {40, 21}, QString(), 10, true}, all);
    buttonRow(sheet, {174, {34, 17}, QString(), 10, true}, all);
    buttonRow(sheet, {178, {19, 19}, QString(), 10, true}, all);
    buttonRow(sheet, {154, {23, 33}, QString(), 10, true}, all);
    buttonRow(sheet, {155, {23, 33}, QString(), 10, true}, all);
    buttonRow(sheet, {153, {33, 23}, QString(), 10, true}, all);
    buttonRow(sheet, {156, {33, 23}, QString(), 10, true}, all);
    buttonRow(sheet, {136, {47, 20}, QString(), 10, false},
              {Look::NORMAL, Look::HOVER, Look::DISABLED});
    buttonRow(sheet, {137, {28, 20}, QString(), 10, false}, {Look::NORMAL, Look::HOVER});
    buttonRow(sheet, {138, {28, 20}, QString(), 10, false}, {Look::NORMAL, Look::HOVER});
    sheet.cell(shoot<ImageButton>({70, 22},
                                  [](ImageButton& b) {
                                      b.setButtonTextStyle(13, QStringLiteral("Arial"), Qt::black,
                                                           Qt::black, ALIGN_CENTER | ALIGN_VCENTER);
                                      b.setCaption(QStringLiteral("No image"));
                                  }),
               QStringLiteral("no image, no host"));
}

void combos(Sheet& sheet) {
    sheet.section(QStringLiteral("Styled combo box: normal, focused, disabled, scaled"));
    const auto setup = [](StyledComboBox& c) {
        c.setComboStyle(c.parentWidget());
        for (const char* item : {"巴特沃斯", "贝塞尔", "宁克"}) c.addItem(QString::fromUtf8(item));
    };
    sheet.cell(shoot<StyledComboBox>({72, 17}, setup), QStringLiteral("normal"));
    sheet.cell(
        shoot<StyledComboBox>({72, 17}, setup, [](StyledComboBox& c) { c.list().setFocus(); }),
        QStringLiteral("focused"));
    sheet.cell(shoot<StyledComboBox>({72, 17}, setup,
                                     [](StyledComboBox& c) {
                                         c.setComboIndex(1);
                                         c.setEnabled(false);
                                     }),
               QStringLiteral("disabled, item 1"));
    sheet.cell(shoot<StyledComboBox>({108, 25},
                                     [](StyledComboBox& c) {
                                         c.setComboStyle(c.parentWidget());
                                         c.addItem(QStringLiteral("24dB/Oct"));
                                     }),
               QStringLiteral("scale 1.5"));
}

void labels(Sheet& sheet) {
    sheet.section(QStringLiteral(
        "Styled label: plain, filled, image frame, single line wider than the label"));
    const auto style = [](StyledLabel& l, const QString& text, unsigned align) {
        l.setHost(l.parentWidget());
        l.setLabelStyle(13, align, QColor(0xd8, 0xdc, 0xe2), QStringLiteral("微软雅黑"));
        l.setLabelText(text);
    };
    sheet.cell(shoot<StyledLabel>({60, 17},
                                  [&](StyledLabel& l) {
                                      style(l, QStringLiteral("频率"),
                                            ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER);
                                  }),
               QStringLiteral("centred"));
    sheet.cell(shoot<StyledLabel>({72, 17},
                                  [&](StyledLabel& l) {
                                      style(l, QStringLiteral("CH-VOL"),
                                            ALIGN_SINGLE_LINE | ALIGN_VCENTER);
                                      l.setFillColour(QColor(0xe5, 0x24, 0x2c, 160));
                                  }),
               QStringLiteral("fill colour"));
    sheet.cell(shoot<StyledLabel>({65, 25},
                                  [&](StyledLabel& l) {
                                      style(l, QStringLiteral("Pass"),
                                            ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER);
                                      l.setLabelImage(loadArtwork(143), 1, 65, 25);
                                  }),
               QStringLiteral("image frame"));
    sheet.cell(shoot<StyledLabel>({60, 17},
                                  [&](StyledLabel& l) {
                                      style(l, QStringLiteral("Midrange Tweeter"),
                                            ALIGN_SINGLE_LINE | ALIGN_CENTER | ALIGN_VCENTER);
                                  }),
               QStringLiteral("overflowing, centred"));
    sheet.cell(shoot<StyledLabel>({96, 60},
                                  [&](StyledLabel& l) {
                                      style(l, QStringLiteral("Choose what channel as a benchmark"),
                                            ALIGN_CENTER);
                                  }),
               QStringLiteral("wrapped"));
}

struct BoxSample {
    QSize size;
    ValueFormat valueFormat;
    double real;
    QString caption;
    bool focused = false;
    bool editable = true;
};

void valueBoxes(Sheet& sheet) {
    sheet.section(QStringLiteral("Value box: every kind, focused, not editable"));
    const std::vector<BoxSample> samples = {
        {{30, 15}, {ValueKind::Gain, -200, 200, 10, "%0.1f"}, -3.5, QStringLiteral("gain")},
        {{30, 15}, {ValueKind::Frequency, 1, 362, 1, "%0.0f"}, 63, QStringLiteral("frequency")},
        {{30, 15}, {ValueKind::Frequency, 1, 362, 1, "%0.0f"}, 1000, QStringLiteral("1 kHz")},
        {{30, 15}, {ValueKind::Q, 0, 101, 1, "%0.2f"}, 7.6, QStringLiteral("Q")},
        {{37, 19}, {ValueKind::DelayMs, 0, 960, 1, "%0.3f"}, 1.0, QStringLiteral("delay ms")},
        {{37, 19}, {ValueKind::DelayCm, 0, 960, 1, "%0.3f"}, 1.0, QStringLiteral("delay cm")},
        {{37, 19}, {ValueKind::DelayInch, 0, 960, 1, "%0.3f"}, 1.0, QStringLiteral("delay inch")},
        {{43, 16}, {ValueKind::Volume, -60, 0, 1, "%0.0fdB"}, -60, QStringLiteral("volume")},
        {{43, 16}, {ValueKind::Volume, -60, 0, 1, "%0.0fdB"}, -12, QStringLiteral("volume")},
        {{40, 17}, {ValueKind::Balance, 0, 20, 1, "%0.0f"}, 10, QStringLiteral("balance")},
        {{40, 17}, {ValueKind::Balance, 0, 20, 1, "%0.0f"}, 7, QStringLiteral("balance")},
        {{40, 17}, {ValueKind::Plain, 0, 100, 1, "%0.0f"}, 75, QStringLiteral("mix level")},
        {{72, 16}, {ValueKind::Level, -300, 60, 10, "%0.1f dBu"}, -12.5, QStringLiteral("limiter")},
        {{40, 16}, {ValueKind::Attack, 0, 107, 1, "%0.0fms"}, 0.5, QStringLiteral("attack")},
        {{40, 16}, {ValueKind::TimeTable, 0, 80, 1, "%0.0fms"}, 250, QStringLiteral("time")},
        {{30, 15}, {ValueKind::Gain, -200, 200, 10, "%0.1f"}, 6.5, QStringLiteral("focused"), true},
        {{30, 15},
         {ValueKind::Gain, -200, 200, 10, "%0.1f"},
         6.5,
         QStringLiteral("not editable"),
         false,
         false},
    };
    for (const BoxSample& sample : samples) {
        const QImage picture = shoot<ValueBox>(
            sample.size,
            [&](ValueBox& box) {
                box.setFormat(sample.valueFormat);
                box.setBoxFont(12, Qt::white, QStringLiteral("微软雅黑"));
                box.setEditable(sample.editable);
                box.setRealValue(sample.real);
            },
            [&](ValueBox& box) {
                if (sample.focused) box.editField().setFocus();
            });
        sheet.cell(picture, sample.caption);
    }
}

struct SliderSample {
    int style;
    int resource;
    QSize size;
    bool vertical;
    int minValue, maxValue, scale;
    double value;
    QString caption;
    bool focused = false;
    bool host = true;
};

void sliders(Sheet& sheet) {
    sheet.section(
        QStringLiteral("Image sliders: graphic EQ, master volume, channel volume, mix level"));
    const std::vector<SliderSample> samples = {
        {16, 141, {22, 125}, true, -200, 200, 10, -20, QStringLiteral("-20 dB")},
        {16, 141, {22, 125}, true, -200, 200, 10, -6.5, QStringLiteral("-6.5")},
        {16, 141, {22, 125}, true, -200, 200, 10, 0, QStringLiteral("0")},
        {16, 141, {22, 125}, true, -200, 200, 10, 6.5, QStringLiteral("+6.5")},
        {16, 141, {22, 125}, true, -200, 200, 10, 20, QStringLiteral("+20")},
        {16, 141, {22, 125}, true, -200, 200, 10, 3, QStringLiteral("focused"), true},
        {16, 141, {22, 125}, true, -200, 200, 10, 3, QStringLiteral("no host"), false, false},
        {15, 135, {185, 14}, false, -60, 0, 1, -60, QStringLiteral("master -60")},
        {15, 135, {185, 14}, false, -60, 0, 1, -20, QStringLiteral("master -20")},
        {15, 135, {185, 14}, false, -60, 0, 1, 0, QStringLiteral("master 0, focused"), true},
        {17, 146, {205, 14}, false, -60, 0, 1, -30, QStringLiteral("channel volume -30")},
        {17, 146, {205, 14}, false, -60, 0, 1, -30, QStringLiteral("focused"), true},
        {11, 173, {96, 21}, false, 0, 100, 1, 0, QStringLiteral("mix 0")},
        {11, 173, {96, 21}, false, 0, 100, 1, 50, QStringLiteral("mix 50")},
        {11, 173, {96, 21}, false, 0, 100, 1, 100, QStringLiteral("mix 100, focused"), true},
    };
    for (const SliderSample& sample : samples) {
        const QImage picture = shoot<ImageSlider>(
            sample.size,
            [&](ImageSlider& s) {
                s.setSliderStyle(sample.style, sample.host ? s.parentWidget() : nullptr,
                                 sample.resource);
                s.setVertical(sample.vertical);
                s.setRange(sample.minValue, sample.maxValue);
                s.setValueScale(sample.scale);
                s.setSliderValue(sample.value);
            },
            [&](ImageSlider& s) {
                // A press beside the thumb gives the focused look without moving it.
                if (sample.focused) mousePress(s, QPoint(1, 1));
            });
        sheet.cell(picture, sample.caption);
    }
}

void progress(Sheet& sheet) {
    sheet.section(QStringLiteral("Progress window: start, 0 %, 50 %, 100 %"));
    ProgressWindow window;
    sheet.cell(window.picture(), window.percentageText());
    window.setProgressTotal(1901);
    for (double value : {0.0, 950.5, 1901.0}) {
        window.setProgress(QStringLiteral("读取设备参数:%5.0f %%"), QStringLiteral("TQ370"), value);
        sheet.cell(window.picture(), window.percentageText());
    }
}

}  // namespace
}  // namespace tq370::gallery

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");
    using namespace tq370::gallery;
    Sheet sheet(1800, ZOOM);
    buttons(sheet);
    combos(sheet);
    labels(sheet);
    valueBoxes(sheet);
    sliders(sheet);
    Sheet progressSheet(1800, 1);
    progress(progressSheet);
    const QImage controls = sheet.finish();
    const QImage windows = progressSheet.finish();
    QImage page(controls.width(), controls.height() + windows.height(), controls.format());
    QPainter painter(&page);
    painter.drawImage(0, 0, controls);
    painter.drawImage(0, controls.height(), windows);
    painter.end();
    if (!page.save(output, "PNG")) {
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s %dx%d\n", qPrintable(output), page.width(), page.height());
    return 0;
}

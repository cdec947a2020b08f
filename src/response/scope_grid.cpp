#include "response/scope_grid.h"

#include <QPainter>

#include "controls/font_faces.h"
#include "response/math/response_constants.h"
#include "response/scope_palette.h"

namespace tq370::response {

namespace {

// Labels of the value lines end this far left of the plot; frequency labels start this
// far below it.
constexpr int VALUE_LABEL_GAP = 5;
constexpr int FREQUENCY_LABEL_GAP = 2;
// Room given to one label: wide and tall enough for any of them at any scale used.
constexpr int LABEL_BOX = 200;
// Each value label is 10 dB (100 tenths) below the one above.
constexpr int VALUE_LABEL_STEP_TENTHS = 100;

QString valueLabel(int tenths) {
    return QString::asprintf(tenths > 0 ? "+%.0f" : "%.0f", tenths / 10.0);
}

void drawValueLines(QPainter& painter, const ScopeGeometry& g) {
    const ScopeRect& plot = g.plot;
    int tenths = DB_MAX_TENTHS;
    for (int k = 0; k <= VALUE_LINE_PARTS; ++k) {
        const int y =
            truncatePixels(plot.top + k * static_cast<double>(plot.height()) / VALUE_LINE_PARTS);
        painter.fillRect(QRect(plot.left, y, plot.width(), 1), GRID_LINE);
        if (k % 2 != 0) continue;
        const QRect box(plot.left - VALUE_LABEL_GAP - LABEL_BOX, y - LABEL_BOX / 2, LABEL_BOX,
                        LABEL_BOX);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                         valueLabel(tenths));
        tenths -= VALUE_LABEL_STEP_TENTHS;
    }
}

void drawFrequencyLines(QPainter& painter, const ScopeGeometry& g) {
    const ScopeRect& plot = g.plot;
    for (const AxisLine& line : AXIS_TABLE.lines) {
        const int x = plot.left + xOfFrequency(g, line.frequencyHz);
        painter.fillRect(QRect(x, plot.top, 1, plot.height()), GRID_LINE);
        if (line.label == nullptr) continue;
        const QRect box(x - LABEL_BOX / 2, plot.bottom + FREQUENCY_LABEL_GAP, LABEL_BOX, LABEL_BOX);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         QString::fromLatin1(line.label));
    }
}

}  // namespace

const AxisTable AXIS_TABLE{
    GRID_START_HZ,
    GRID_END_HZ,
    {{{19, "20"},      {30, nullptr},  {40, nullptr},   {50, "50"},      {60, nullptr},
      {70, nullptr},   {80, nullptr},  {90, nullptr},   {100, "100"},    {200, "200"},
      {300, nullptr},  {400, nullptr}, {500, "500"},    {600, nullptr},  {700, nullptr},
      {800, nullptr},  {900, nullptr}, {1000, "1K"},    {2000, "2K"},    {3000, nullptr},
      {4000, nullptr}, {5000, "5K"},   {6000, nullptr}, {7000, nullptr}, {8000, nullptr},
      {9000, nullptr}, {10000, "10K"}, {20600, "20K"}}}};

void drawScopeGrid(QImage& image, const ScopeGeometry& g) {
    QPainter painter(&image);
    painter.fillRect(g.client.toQRect(), SCOPE_BACKGROUND);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setFont(faceFont(QString::fromUtf8(AXIS_FACE), AXIS_TEXT_PX * g.scale));
    painter.setPen(AXIS_TEXT);
    drawValueLines(painter, g);
    drawFrequencyLines(painter, g);
}

}  // namespace tq370::response

#include "controls/progress_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/artwork.h"
#include "controls/font_faces.h"
#include "controls/number_format.h"

namespace tq370 {

namespace {

const QString WELCOME = QStringLiteral("欢迎使用!");
const QString FONT_FACE = QStringLiteral("黑体");
constexpr int FONT_HEIGHT = 25;
constexpr int CORNER = 10;
const QRect PERCENT_BOX(0, 90, ProgressWindow::WIDTH, ProgressWindow::HEIGHT - 90);
const QRect TITLE_BOX(0, 0, ProgressWindow::WIDTH, 30);

QImage loadOrBlank(int resourceNumber) {
    QImage image = loadArtwork(resourceNumber);
    if (image.isNull()) {
        image = QImage(ProgressWindow::WIDTH, ProgressWindow::HEIGHT,
                       QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
    }
    return image;
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner)
    : ProgressWindow(owner, loadOrBlank(EMPTY_BITMAP), loadOrBlank(FULL_BITMAP)) {}

ProgressWindow::ProgressWindow(QWidget* owner, const QImage& emptyBar, const QImage& fullBar)
    : MessageWindow(owner != nullptr ? owner->window() : nullptr),
      owner_(owner != nullptr ? owner->window() : nullptr),
      empty_(emptyBar.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
      full_(fullBar.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(OPACITY / 255.0);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(WIDTH, HEIGHT);
    format_ = WELCOME;
    draw(0);
}

template <typename F>
void ProgressWindow::onUiThread(F&& action) {
    if (QThread::currentThread() == thread()) {
        action();
    } else {
        QMetaObject::invokeMethod(this, std::forward<F>(action), Qt::QueuedConnection);
    }
}

void ProgressWindow::open() {
    onUiThread([this] {
        format_ = WELCOME;
        title_.clear();
        draw(0);
        show();
        raise();
    });
}

void ProgressWindow::setProgressTotal(int total) {
    onUiThread([this, total] { total_ = total; });
}

void ProgressWindow::setProgressFormat(const QString& format) {
    onUiThread([this, format] { format_ = format; });
}

void ProgressWindow::setProgress(double value) {
    onUiThread([this, value] { draw(value); });
}

void ProgressWindow::setProgress(const QString& format, const QString& title, double value) {
    onUiThread([this, format, title, value] {
        format_ = format;
        title_ = title;
        draw(value);
    });
}

void ProgressWindow::closeProgress() {
    onUiThread([this] {
        format_.clear();
        title_.clear();
        draw(0);
        hide();
    });
}

int ProgressWindow::barWidth(double value, int total) {
    // A total of 0 is never meant; it shows the empty bar rather than dividing by it.
    if (total <= 0) return BAR_START;
    const double end = std::trunc(value * BAR_LENGTH / total + BAR_START);
    return static_cast<int>(std::clamp(end, 0.0, static_cast<double>(WIDTH)));
}

void ProgressWindow::draw(double value) {
    const double percentage = total_ > 0 ? value * 100 / total_ : 0;
    percentageText_ = QString::fromStdString(formatNumber(format_.toStdString(), percentage));

    picture_ = empty_.copy();
    QPainter painter(&picture_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), full_, QRect(0, 0, barWidth(value, total_), full_.height()));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(faceFont(FONT_FACE, cellHeightToPixelSize(FONT_HEIGHT)));
    painter.setPen(QColor(255, 0, 0));
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    painter.drawText(PERCENT_BOX, flags, percentageText_);
    painter.drawText(TITLE_BOX, flags, title_);
    painter.end();

    centreOverOwner();
    update();
}

void ProgressWindow::centreOverOwner() {
    if (dragging_) return;
    QRect area;
    if (owner_) {
        area = owner_->frameGeometry();
    } else if (const QScreen* screen = this->screen()) {
        area = screen->availableGeometry();
    }
    if (area.isNull()) return;
    move((area.left() + area.right() + 1 - WIDTH) / 2,
         (area.top() + area.bottom() + 1 - HEIGHT) / 2);
}

void ProgressWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
}

void ProgressWindow::resizeEvent(QResizeEvent*) {
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(rect()), CORNER / 2.0, CORNER / 2.0);
    setMask(QRegion(rounded.toFillPolygon().toPolygon()));
}

void ProgressWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // A press anywhere drags the window, as a press on a caption would.
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void ProgressWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
}

void ProgressWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace tq370

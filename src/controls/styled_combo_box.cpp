#include "controls/styled_combo_box.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "controls/artwork.h"
#include "controls/font_faces.h"

namespace tq370 {

namespace {

const QColor TEXT_COLOUR(82, 82, 82);
const QString FACE_NAME = QStringLiteral("Arial Bold");
constexpr double BASE_FONT_HEIGHT = 14;
constexpr double FACE_FONT_FACTOR = 1.2;
constexpr int MIN_FACE_PIXELS = 8;
constexpr double TEXT_GAP = 3;  // face pixels kept free before the drop-down arrow

const ComboStyle& faceStyle() {
    return COMBO_STYLES[StyledComboBox::FACE_STYLE];
}

}  // namespace

// The platform combo box under the face: it keeps the items and opens the list, and
// paints nothing but the owner's face.
class StyledComboBox::FaceList : public QComboBox {
public:
    explicit FaceList(StyledComboBox* owner) : QComboBox(owner), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, owner_->picture());
    }
    void mousePressEvent(QMouseEvent* event) override {
        // A hidden or disabled combo swallows presses so its list cannot open.
        if (!owner_->isEnabled() || !owner_->isVisible()) return;
        QComboBox::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (!owner_->isEnabled() || !owner_->isVisible()) return;
        QComboBox::mouseDoubleClickEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QComboBox::focusInEvent(event);
        owner_->setFocusLook(true);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QComboBox::focusOutEvent(event);
        owner_->setFocusLook(false);
    }

private:
    StyledComboBox* owner_;
};

StyledComboBox::StyledComboBox(QWidget* parent, int controlId)
    : MessageWindow(parent, controlId), list_(new FaceList(this)) {
    setFocusProxy(list_);
    list_->setGeometry(rect());
    QObject::connect(list_, &QComboBox::activated, list_, [this](int index) { userPicked(index); });
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Text, TEXT_COLOUR);
    palette.setColor(QPalette::Base, Qt::transparent);
    list_->setPalette(palette);
}

void StyledComboBox::setComboStyle(QWidget* host) {
    face_ = loadArtwork(FACE_RESOURCE);
    host_ = host;
    invalidate();
}

void StyledComboBox::setComboIndex(int index) {
    displayedIndex_ = index >= 0 && index < count() ? index : 0;
    // The open list starts at the shown item; this never counts as a user's pick.
    list_->setCurrentIndex(displayedIndex_);
    invalidate();
}

void StyledComboBox::addItem(const QString& text) {
    list_->addItem(text);
    invalidate();
}

void StyledComboBox::clearItems() {
    list_->clear();
    invalidate();
}

void StyledComboBox::userPicked(int index) {
    displayedIndex_ = std::max(0, index);
    invalidate();
    list_->repaint();
    postToParent(notifyIndex_, notifyIndex_);
}

void StyledComboBox::setFocusLook(bool on) {
    focusLook_ = on;
    invalidate();
}

double StyledComboBox::scale() const {
    return static_cast<double>(width()) / faceStyle().frameWidth;
}

QRect StyledComboBox::scaledTextRect() const {
    const ComboStyle& style = faceStyle();
    const double s = scale();
    const auto t = [s](int v) { return static_cast<int>(v * s); };
    return QRect(QPoint(t(style.textLeft), t(style.textTop)),
                 QPoint(t(style.textRight) - 1, t(style.textBottom) - 1));
}

const QImage& StyledComboBox::picture() {
    if (!pictureValid_ || picture_.size() != size()) render();
    return picture_;
}

void StyledComboBox::render() {
    pictureValid_ = true;
    picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(host_ ? QColor(Qt::transparent) : QColor(240, 240, 240));
    if (face_.isNull() || !isVisible()) return;

    QPainter painter(&picture_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    const ComboStyle& style = faceStyle();
    painter.drawImage(
        QRectF(rect()), face_,
        QRectF(focusLook_ ? style.frameWidth : 0, 0, style.frameWidth, style.frameHeight));
    if (displayedIndex_ < 0 || displayedIndex_ >= count()) displayedIndex_ = 0;
    const QString text = list_->itemText(displayedIndex_);
    const double listHeight = std::trunc(BASE_FONT_HEIGHT * scale() + 0.5);
    const QRect box = scaledTextRect();
    QFont font = faceFont(FACE_NAME, cellHeightToPixelSize(listHeight * FACE_FONT_FACTOR));
    // A long item ("48dB/Oct", four CJK characters) shrinks to fit the face's text box
    // rather than being cut off.
    const int room = box.width() - static_cast<int>(TEXT_GAP * scale());
    const int textWidth = QFontMetrics(font).horizontalAdvance(text);
    if (textWidth > room && textWidth > 0) {
        font.setPixelSize(std::max(MIN_FACE_PIXELS, font.pixelSize() * room / textWidth));
    }
    painter.setFont(font);
    painter.setPen(TEXT_COLOUR);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void StyledComboBox::invalidate() {
    pictureValid_ = false;
    list_->update();
}

void StyledComboBox::resizeEvent(QResizeEvent*) {
    list_->setGeometry(rect());
    const double listHeight = std::trunc(BASE_FONT_HEIGHT * scale() + 0.5);
    list_->setFont(faceFont(FACE_NAME, cellHeightToPixelSize(listHeight)));
    invalidate();
}

void StyledComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) invalidate();
    MessageWindow::changeEvent(event);
}

}  // namespace tq370

#pragma once

#include <QColor>
#include <QImage>
#include <QLineEdit>

#include "controls/message_window.h"
#include "controls/value_format.h"

namespace tq370 {

// The small numeric field of the panels: an integer position shown as text by its value
// kind (value_format.h), typed into, turned with the wheel or stepped with Up/Down, and
// confirmed with Enter. Every change sends the parent a message numbered with the control
// identifier, wParam = notifyIndex, lParam = position; the host reads getRealValue().
class ValueBox : public MessageWindow {
public:
    static constexpr int EDIT_FIELD_ID = 1124;

    ValueBox(QWidget* parent, int controlId);

    void setFormat(const ValueFormat& valueFormat);
    const ValueFormat& format() const { return format_; }
    void setRange(int minPosition, int maxPosition);
    void setDivisor(int divisor);
    void setValueKind(ValueKind kind);
    void setFormatText(const std::string& format);
    void setNotifyIndex(int index) { notifyIndex_ = index; }
    int notifyIndex() const { return notifyIndex_; }

    // Not editable: no focus, no wheel or keys, and the face is dimmed.
    void setEditable(bool editable);
    bool isEditable() const { return editable_; }
    void setFramed(bool framed);
    void setBackgroundColours(QColor normal, QColor focused);

    // Cell height in pixels, text colour and face name of the shown text.
    void setBoxFont(int height, QColor textColour, const QString& faceName);

    int position() const { return position_; }
    void setPosition(int position);  // from a host: shown, not notified
    void setRealValue(double r);     // from a host: shown, not notified
    double getRealValue() const;

    QString text() const;
    QLineEdit& editField() { return *edit_; }
    QColor currentBackground() const { return focused_ ? focusedColour_ : normalColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void notify();
    int parsedText() const;
    void refresh();
    void layoutEditField();
    void applyEditColours();
    void focusGained();
    void focusLost();

    ValueFormat format_;
    int position_ = 50;
    int notifyIndex_ = 0;
    bool editable_ = true;
    bool framed_ = true;
    bool focused_ = false;
    QColor normalColour_{38, 38, 38};
    QColor focusedColour_{73, 72, 72};
    QColor textColour_{255, 255, 255};
    int fontHeight_ = 14;
    QString faceName_ = QStringLiteral("微软雅黑");
    QLineEdit* edit_;
};

}  // namespace tq370

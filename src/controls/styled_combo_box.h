#pragma once

#include <QComboBox>
#include <QImage>
#include <QPointer>

#include <array>

#include "controls/message_window.h"

namespace tq370 {

// Face geometry of one combo style: frame size and text box in image pixels.
struct ComboStyle {
    int frameWidth, frameHeight;
    int textLeft, textTop, textRight, textBottom;
};

inline constexpr std::array<ComboStyle, 6> COMBO_STYLES{{
    {70, 15, 0, 0, 60, 15},
    {169, 19, 4, 1, 151, 18},
    {100, 22, 6, 1, 80, 20},
    {109, 24, 6, 1, 86, 23},
    {76, 19, 6, 0, 70, 19},
    {72, 17, 6, 0, 66, 17},
}};

// A drop-down list whose closed face is a PNG frame (0 normal, 1 focused) with the shown
// item's text on it; the open list is the platform's. A user's pick posts the parent a
// message numbered with the control identifier, wParam = lParam = the notify index.
class StyledComboBox : public MessageWindow {
public:
    static constexpr int FACE_RESOURCE = 145;
    static constexpr int FACE_STYLE = 5;

    StyledComboBox(QWidget* parent, int controlId);

    // Loads the face (resource 145, style 5). Without a host the face is drawn on RGB
    // 240, 240, 240.
    void setComboStyle(QWidget* host);

    // Shows item `index`, or item 0 when it is beyond the items; no notification.
    void setComboIndex(int index);
    int displayedIndex() const { return displayedIndex_; }

    int notifyIndex() const { return notifyIndex_; }
    void setNotifyIndex(int index) { notifyIndex_ = index; }

    void addItem(const QString& text);
    void clearItems();
    int count() const { return list_->count(); }
    QString itemText(int index) const { return list_->itemText(index); }

    // The platform list inside the face, for hosts and tests that need to open it.
    QComboBox& list() { return *list_; }

    bool hasFocusLook() const { return focusLook_; }
    QRect scaledTextRect() const;

    const QImage& picture();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class FaceList;
    friend class FaceList;

    void invalidate();
    void render();
    void userPicked(int index);
    void setFocusLook(bool on);
    double scale() const;

    QComboBox* list_;
    QImage face_;
    QPointer<QWidget> host_;
    int displayedIndex_ = 0;
    int notifyIndex_ = 0;
    bool focusLook_ = false;
    QImage picture_;
    bool pictureValid_ = false;
};

}  // namespace tq370

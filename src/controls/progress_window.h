#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QString>

#include "controls/message_window.h"

namespace tq370 {

// The frameless, semi-transparent progress window shown centred over its owner during
// long operations: a bar that fills from x 27 (value 0) to x 516 (value = total) of a
// 541 × 161 picture, a percentage line under it and a title line above.
//
// Every public call may come from any thread: a call off the UI thread is forwarded to
// the UI thread's event loop and returns at once, so a worker is never held up.
class ProgressWindow : public MessageWindow {
public:
    static constexpr int WIDTH = 541;
    static constexpr int HEIGHT = 161;
    static constexpr int BAR_START = 27;
    static constexpr int BAR_LENGTH = 489;  // the full bar ends at 516
    static constexpr int OPACITY = 220;     // of 255
    static constexpr int EMPTY_BITMAP = 129;
    static constexpr int FULL_BITMAP = 130;

    explicit ProgressWindow(QWidget* owner = nullptr);
    // With other pictures of the empty and the full bar (541 × 161); UI thread.
    ProgressWindow(QWidget* owner, const QImage& emptyBar, const QImage& fullBar);

    // Shows the window at 0 with "欢迎使用!" as its percentage line.
    void open();
    void setProgressTotal(int total);
    void setProgressFormat(const QString& format);
    void setProgress(double value);
    void setProgress(const QString& format, const QString& title, double value);
    // Clears both texts, draws once more and hides the window.
    void closeProgress();

    // UI thread: what the window shows now.
    const QImage& picture() const { return picture_; }
    QString percentageText() const { return percentageText_; }
    QString title() const { return title_; }
    int progressTotal() const { return total_; }

    // The bar's right end for a value: 27 at 0, 516 at the total, up to 541 above it.
    static int barWidth(double value, int total);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    template <typename F>
    void onUiThread(F&& action);
    void draw(double value);
    void centreOverOwner();

    QPointer<QWidget> owner_;
    QImage empty_;
    QImage full_;
    QImage picture_;
    int total_ = 100;
    QString format_;
    QString title_;
    QString percentageText_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace tq370

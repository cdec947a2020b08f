#pragma once

#include <QImage>
#include <QRect>

namespace tq370 {

// An off-screen picture with its own rectangle (left, top, right, bottom), for panels and
// controls that compose a picture before showing it.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);
    explicit Surface(const QImage& image);  // e.g. a bitmap resource; its size is the rect
    static Surface fromResource(int resourceNumber);

    // Recreates the picture at (right - left) × (bottom - top) and draws the rectangle
    // with a 1-pixel black outline filled with RGB 240, 240, 240. A width or height that
    // is not positive keeps the current picture (false).
    bool resizeSurface(int left, int top, int right, int bottom);

    // Copies source pixels from (0, 0) to (x, y), size (right - x) × (bottom - y), growing
    // the surface first when right or bottom reach past it (its pixels are kept).
    void copyInto(const QImage& source, int x, int y, int right, int bottom);

    // Stretches the source rectangle of the image over the destination rectangle, growing
    // the surface as copyInto does.
    void stretchInto(const QImage& source, const QRect& destination, const QRect& sourceRect);

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }
    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }

private:
    void growTo(int right, int bottom);

    QImage image_;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace tq370

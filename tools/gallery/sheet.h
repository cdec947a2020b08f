#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace tq370::gallery {

// The gallery page: sections of captioned cells, laid out left to right and wrapped.
class Sheet {
public:
    explicit Sheet(int width, int zoom);

    void section(const QString& title);
    void cell(const QImage& picture, const QString& caption);
    QImage finish() const;

private:
    struct Item {
        QImage picture;
        QString caption;
        QPoint at;
        bool title = false;
    };

    int width_;
    int zoom_;
    int x_ = 0;
    int y_ = 0;
    int rowHeight_ = 0;
    std::vector<Item> items_;
};

}  // namespace tq370::gallery

#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace tq370::art {

// One generated file: resources/<folder>/<number>.png.
struct Artwork {
    QString folder;
    int number;
    QImage image;
};

using ArtSet = std::vector<Artwork>;

void addButtonArt(ArtSet& set);
void addSliderArt(ArtSet& set);
void addBitmapArt(ArtSet& set);

}  // namespace tq370::art

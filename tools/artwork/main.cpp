// Draws every PNG strip, slider, bitmap and the icon of the program into resources/.
// Run by hand after changing the artwork: artwork [resources folder].
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "art_set.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources");
    tq370::art::ArtSet set;
    tq370::art::addButtonArt(set);
    tq370::art::addSliderArt(set);
    tq370::art::addBitmapArt(set);
    int failures = 0;
    for (const auto& art : set) {
        const QString folder = root + QLatin1Char('/') + art.folder;
        QDir().mkpath(folder);
        const QString path = QStringLiteral("%1/%2.png").arg(folder).arg(art.number);
        if (!art.image.save(path, "PNG")) {
            std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s %dx%d\n", qPrintable(path), art.image.width(), art.image.height());
    }
    return failures == 0 ? 0 : 1;
}

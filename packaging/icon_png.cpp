// SPDX-License-Identifier: MIT
// Writes the program's icon as a PNG of the given size, for the hicolor theme.
// Pixel art is scaled by whole pixels, so only multiples of the source size
// keep it sharp.
//
//   morvint-icon-png SOURCE OUTPUT SIZE
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[3]) < 1) {
        std::fprintf(stderr, "usage: morvint-icon-png SOURCE OUTPUT SIZE\n");
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        std::fprintf(stderr, "morvint-icon-png: cannot read %s\n", argv[1]);
        return 1;
    }
    const int size = std::atoi(argv[3]);
    const QImage icon =
        source.size() == QSize(size, size)
            ? source
            : source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "morvint-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QColor>
#include <QList>

// Animated GIFs written in memory for tests and benchmarks (Qt reads GIF but
// cannot write it). Each frame is one colour over the whole picture, except
// that `stripes` draws every frame as vertical bars of its colour and white,
// so that scaling and decoding have real pixels to work on.
namespace AnimatedGif {

struct Look {
    int width = 100;
    int height = 50;
    QList<QColor> frames;  // at most 120 different colours
    int delayCs = 10;      // each frame's time, in hundredths of a second
    // The file's loop count: -1 writes none (plays once), 0 loops for ever.
    int loops = 0;
    bool stripes = false;
};

QByteArray make(const Look& look);

}  // namespace AnimatedGif

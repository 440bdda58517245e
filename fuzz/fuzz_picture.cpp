// SPDX-License-Identifier: GPL-3.0-or-later
// A question's picture bytes decoded the way the programs show them: at the
// display's box on a normal and a HiDPI screen, and the editor's thumbnail.
// A failure must come with a reason; a success must fit the box it was
// given. Anything else, a crash, a sanitizer report or a timeout is a finding.
#include <QGuiApplication>
#include <cstdlib>

#include "questionbank/picturedecoder.h"

namespace {
void require(bool ok) {
    if (!ok) std::abort();
}

void decodeAt(const QByteArray& bytes, QSize box, qreal dpr, PictureDecoder::Scaling scaling) {
    const auto r = PictureDecoder::decode(bytes, box, dpr, scaling);
    if (!r.ok()) {
        require(!r.error.isEmpty());
        return;
    }
    require(r.error.isEmpty());
    const QSizeF logical = r.image.deviceIndependentSize();
    require(logical.width() <= box.width() + 1 && logical.height() <= box.height() + 1);
    require(r.image.width() <= PictureDecoder::kMaxRenderSide &&
            r.image.height() <= PictureDecoder::kMaxRenderSide);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    decodeAt(bytes, QSize(320, 160), 1.0, PictureDecoder::Scaling::ShrinkOnly);
    decodeAt(bytes, QSize(320, 160), 2.0, PictureDecoder::Scaling::ShrinkOnly);
    decodeAt(bytes, QSize(96, 96), 1.5, PictureDecoder::Scaling::Fit);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/picturedecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "questionbank/svgguard.h"

namespace {

using Result = PictureDecoder::Result;

Result failed(Result r, const QString& why) {
    r.image = QImage();
    r.error = why;
    return r;
}

// The size, in logical pixels, that `natural` takes inside `box`.
QSizeF fitted(const QSizeF& natural, const QSize& box, PictureDecoder::Scaling scaling) {
    if (box.isEmpty()) return natural;
    QSizeF s = natural.scaled(QSizeF(box), Qt::KeepAspectRatio);
    if (scaling == PictureDecoder::Scaling::ShrinkOnly && s.width() > natural.width()) s = natural;
    return s;
}

// Device pixels for a logical size, at least one and at most the render bound.
QSize devicePixels(const QSizeF& logical, qreal dpr) {
    QSizeF px = logical * dpr;
    if (px.width() > PictureDecoder::kMaxRenderSide || px.height() > PictureDecoder::kMaxRenderSide)
        px = px.scaled(PictureDecoder::kMaxRenderSide, PictureDecoder::kMaxRenderSide,
                       Qt::KeepAspectRatio);
    return QSize(std::max(1, int(std::lround(px.width()))),
                 std::max(1, int(std::lround(px.height()))));
}

// The ratio that shows `image` at no more than `logical` in either direction:
// rounding to whole pixels, the render bound and the one-pixel minimum all
// change the image's proportions a little.
qreal ratioFor(const QImage& image, const QSizeF& logical, qreal dpr) {
    qreal ratio = 0;
    if (logical.width() * dpr >= 1) ratio = std::max(ratio, image.width() / logical.width());
    if (logical.height() * dpr >= 1) ratio = std::max(ratio, image.height() / logical.height());
    return ratio > 0 ? ratio : dpr;
}

Result decodeSvg(Result r, const QByteArray& bytes, const QSize& box, qreal dpr,
                 PictureDecoder::Scaling scaling) {
    if (bytes.size() > PictureDecoder::kMaxSvgBytes)
        return failed(r, QStringLiteral("SVG 文件过大"));
    const QString why = SvgGuard::check(bytes);
    if (!why.isEmpty()) return failed(r, why);
    QSvgRenderer svg(bytes);
    if (!svg.isValid()) return failed(r, QStringLiteral("SVG 无法解析"));
    QSizeF natural = svg.viewBoxF().size();
    if (const QSize d = svg.defaultSize(); d.width() > 0 && d.height() > 0) natural = QSizeF(d);
    if (!(natural.width() > 0 && natural.height() > 0) || !std::isfinite(natural.width()) ||
        !std::isfinite(natural.height()))
        return failed(r, QStringLiteral("SVG 没有尺寸"));
    r.naturalSize = natural.toSize();
    const QSizeF logical = fitted(natural, box, scaling);
    QImage image(devicePixels(logical, dpr), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return failed(r, QStringLiteral("内存不足，无法绘制 SVG"));
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    image.setDevicePixelRatio(ratioFor(image, logical, dpr));
    r.image = image;
    return r;
}

Result decodeBitmap(Result r, const QByteArray& bytes, const QSize& box, qreal dpr,
                    PictureDecoder::Scaling scaling) {
    QByteArray copy = bytes;  // QBuffer needs a non-const array; shares the data
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, r.format);
    reader.setAutoDetectImageFormat(false);  // only the handler of the sniffed format
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failed(r, QStringLiteral("图片无法读取：") + reader.errorString());
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty())
        return failed(r, QStringLiteral("图片没有有效的尺寸"));
    if (declared.width() > PictureDecoder::kMaxDeclaredSide ||
        declared.height() > PictureDecoder::kMaxDeclaredSide ||
        qint64(declared.width()) * declared.height() * 4 >
            qint64(PictureDecoder::kAllocationLimitMb) * 1024 * 1024)
        return failed(r, QStringLiteral("图片声明的尺寸过大（%1 × %2）")
                             .arg(declared.width())
                             .arg(declared.height()));
    // A photo's orientation tag turns it after decoding; the scaled size is
    // asked for before the turn.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    r.naturalSize = turned ? declared.transposed() : declared;
    const QSizeF logical = fitted(QSizeF(r.naturalSize), box, scaling);
    const QSize target = devicePixels(logical, dpr);
    // JPEG scales while decoding, far cheaper than decoding in full.
    const bool readerScales = reader.supportsOption(QImageIOHandler::ScaledSize);
    if (readerScales && target.width() < r.naturalSize.width())
        reader.setScaledSize(turned ? target.transposed() : target);
    QImage image = reader.read();  // the first frame of an animation only
    if (image.isNull()) return failed(r, QStringLiteral("图片无法解码：") + reader.errorString());
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) return failed(r, QStringLiteral("内存不足，无法缩放图片"));
    image.setDevicePixelRatio(ratioFor(image, logical, dpr));
    r.image = image;
    return r;
}

}  // namespace

QByteArray PictureDecoder::format(const QByteArray& b) {
    if (b.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (b.startsWith("\xFF\xD8\xFF")) return "jpeg";
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a")) return "gif";
    if (b.size() >= 12 && b.startsWith("RIFF") && b.mid(8, 4) == "WEBP") return "webp";
    if (SvgGuard::looksLikeSvg(b)) return "svg";
    return {};
}

QString PictureDecoder::extension(const QByteArray& format) {
    if (format == "jpeg") return QStringLiteral("jpg");
    if (format.isEmpty()) return QStringLiteral("bin");
    return QString::fromLatin1(format);
}

PictureDecoder::Result PictureDecoder::decode(const QByteArray& bytes, const QSize& box, qreal dpr,
                                              Scaling scaling) {
    QImageReader::setAllocationLimit(kAllocationLimitMb);
    Result r;
    if (bytes.isEmpty()) return failed(r, QStringLiteral("没有图片"));
    if (bytes.size() > kMaxBytes)
        return failed(
            r,
            QStringLiteral("图片过大（%1 字节，最多 %2 字节）").arg(bytes.size()).arg(kMaxBytes));
    if (!(dpr > 0) || !std::isfinite(dpr) || dpr > 8) dpr = 1;
    r.format = format(bytes);
    if (r.format.isEmpty())
        return failed(r, QStringLiteral("不是 PNG、JPEG、GIF、WebP 或 SVG 图片"));
    if (r.format == "svg") return decodeSvg(r, bytes, box, dpr, scaling);
    return decodeBitmap(r, bytes, box, dpr, scaling);
}

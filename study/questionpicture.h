// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

class RecordSet;

// The picture of the question on the display window, above the text. It is
// read and decoded when its record is shown, for the window's device pixel
// ratio, so it stays sharp on HiDPI screens. A picture that cannot be read
// or decoded is left out: the text shows alone and the reason is logged.
class QuestionPicture : public QWidget {
    Q_OBJECT
public:
    // At most this tall (160 pixels at 96 dpi), and never wider than the
    // screen leaves beside the window's margins; the aspect is kept.
    static constexpr double kMaxHeightTwips = 2400;
    // Between the picture and the text.
    static constexpr double kGapTwips = 120;

    explicit QuestionPicture(QWidget* parent);

    // Where a record's picture bytes come from; without one, from the set's
    // own file. Study reads the personal list through its open editor.
    using Reader = std::function<QByteArray(RecordSet& set, QString* why)>;
    void setReader(Reader reader) { reader_ = std::move(reader); }

    // Shows the picture of the set's current record, or none.
    void showRecord(RecordSet* set);
    // Decodes `bytes` and shows them; false (and hidden) when they do not
    // decode, with the reason in `why`.
    bool showBytes(const QByteArray& bytes, QString* why = nullptr);
    void clear();

    bool shown() const { return !image_.isNull(); }
    // The picture's size on screen, in logical pixels; empty without one.
    QSize pictureSize() const;
    // What the picture adds to the window's height: the picture and the gap
    // below it; 0 without one.
    int spaceAbove() const;
    // The largest box a picture is fitted into, in logical pixels.
    QSize box() const;
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
    Reader reader_;
};

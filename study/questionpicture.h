// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class AnimatedPicture;
class RecordSet;

// The picture of the question on the display window, above the text. It is
// read and decoded when its record is shown, for the window's device pixel
// ratio, so it stays sharp on HiDPI screens. A picture that cannot be read
// or decoded is left out: the text shows alone and the reason is logged.
// An animation plays over and over; the window hears when its first play
// ends.
class QuestionPicture : public QWidget {
    Q_OBJECT
public:
    // At most this tall at 12 points (160 pixels at 96 dpi), in proportion
    // to the text's size above it, but never more than a third of the
    // screen's height; never wider than the screen leaves beside the
    // window's margins; the aspect is kept.
    static constexpr double kMaxHeightTwips = 2400;
    static constexpr int kBasePoints = 12;
    // Between the picture and the text.
    static constexpr double kGapTwips = 120;

    explicit QuestionPicture(QWidget* parent);
    ~QuestionPicture() override;

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
    // The text's size in points: the box follows it, and a shown picture
    // is fitted again.
    void setFontPoints(int points);

    bool shown() const { return !image_.isNull(); }
    bool animated() const { return movie_ != nullptr; }
    // The shown picture's bytes, for a look at its own size.
    const QByteArray& bytes() const { return bytes_; }
    // The picture's size on screen, in logical pixels; empty without one.
    QSize pictureSize() const;
    // What the picture adds to the window's height: the picture and the gap
    // below it; 0 without one.
    int spaceAbove() const;
    // The largest box a picture is fitted into, in logical pixels.
    QSize box() const;
    // The box for text of `points` on a screen whose free area is `available`.
    static QSize boxFor(int points, const QRect& available);
    const QImage& image() const { return image_; }
    AnimatedPicture* animation() const { return movie_.get(); }

signals:
    // A new animation began its first play; that play ended.
    void firstLoopStarted();
    void firstLoopEnded();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool display(const QByteArray& bytes, bool sameRecord, QString* why);

    QImage image_;
    QByteArray bytes_;
    std::unique_ptr<AnimatedPicture> movie_;
    bool firstLoopOver_ = false;
    int generation_ = 0;  // counts the pictures shown, to drop stale notices
    int points_ = kBasePoints;
    Reader reader_;
};

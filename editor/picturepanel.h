// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QFrame>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>

class AnimatedPicture;
class QAction;
class QMenu;
class QMimeData;

// The picture of the question an editor shows: a thumbnail, and the ways to
// change it (a file from a dialog, a file dropped on the form, an image
// pasted, removal). A change waits here until the editor saves the record,
// which writes it with the record in one transaction; showing a record or
// emptying the boxes drops it, as it drops typed text. An animated picture
// plays in the thumbnail, over and over.
class PicturePanel : public QFrame {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget* parent = nullptr);
    ~PicturePanel() override;

    // Drops and pastes anywhere on `form` (built in full) reach the panel
    // too. Its text boxes keep pasting text while the clipboard holds text.
    void watch(QWidget* form);

    // Shows the stored picture of `record` (its bookmark) of the record set
    // `set`; `read` gives its bytes (empty: none) and, on failure, why.
    // Showing the record already shown reads and decodes nothing again; a set
    // read afresh reads it again. A pending change is dropped.
    void showRecord(const void* set, const QString& record,
                    const std::function<QByteArray(QString*)>& read);
    // Nothing shown and nothing pending: a new question, empty boxes.
    void clear();
    // Pictures can be set and removed only while a record set is open.
    void setEditable(bool on);
    bool editable() const { return editable_; }

    // What Save writes: the new picture's bytes, or empty bytes to remove
    // the stored one; nothing when the picture was not changed.
    const std::optional<QByteArray>& pendingChange() const { return pending_; }
    // The thumbnail drawn (null: none; an animation's frame of the moment)
    // and the text shown with or instead of it.
    QImage thumbnail() const;
    AnimatedPicture* animation() const { return movie_.get(); }
    QString note() const;
    // A picture, one that cannot be shown, or a pending change.
    bool hasContent() const;

    // The user's ways to change the picture; false, with a message when the
    // picture is refused.
    bool chooseFile();
    bool takeFile(const QString& path);
    bool takeImage(const QImage& image);
    bool takeMime(const QMimeData* mime);
    bool paste();
    void remove();
    // The menu of the picture button and of the thumbnail.
    QMenu* menu() const { return menu_; }

    // Tests answer the file dialog: the path chosen, empty to cancel.
    using FileHook = std::function<QString()>;
    static void setFileHook(FileHook hook);

signals:
    void contentChanged(bool has);
    void editableChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    bool take(const QByteArray& bytes, const QString& source);
    void refuse(const QString& source, const QString& why);
    QImage decoded(const QByteArray& bytes, QString* error);
    QRect imageRect() const;
    QRect noteRect() const;
    void changed();
    void animate(bool refitted);
    bool acceptsDrag(const QMimeData* mime) const;

    QMenu* menu_;
    QAction* choose_;
    QAction* paste_;
    QAction* remove_;
    const void* set_ = nullptr;
    QString record_;
    bool storedPresent_ = false;  // the record has a picture, shown or not
    // The stored picture's bytes are kept beside its thumbnail, so that a
    // new size of the panel fits it again without reading the file.
    QByteArray storedBytes_;
    QImage storedThumb_;
    std::optional<QByteArray> pending_;
    QImage pendingThumb_;
    QSize fittedTo_;  // the picture area the thumbnails were made for
    // The shown thumbnail's animation, and the bytes it plays.
    std::unique_ptr<AnimatedPicture> movie_;
    QByteArray movieBytes_;
    bool editable_ = false;
    bool hadContent_ = false;
    QString lastFolder_;
};

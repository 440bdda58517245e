// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/picturepanel.h"

#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>

#include "platform/logging.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/animatedpicture.h"
#include "questionbank/picturedecoder.h"

namespace {

PicturePanel::FileHook& fileHook() {
    static PicturePanel::FileHook h;
    return h;
}

constexpr int kPadding = 3;

// The first local file among dropped or copied URLs.
QString localFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

bool offersPicture(const QMimeData* mime) {
    return mime && (!localFile(mime).isEmpty() || mime->hasImage());
}

}  // namespace

void PicturePanel::setFileHook(FileHook hook) {
    fileHook() = std::move(hook);
}

PicturePanel::PicturePanel(QWidget* parent) : QFrame(parent), menu_(new QMenu(this)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::ClickFocus);
    setToolTip(QStringLiteral("题目的图片：可拖入图片文件，或按 Ctrl+V 粘贴；右键可选择或移除"));
    choose_ = menu_->addAction(QStringLiteral("选择图片…"), this, [this] { chooseFile(); });
    paste_ = menu_->addAction(QStringLiteral("粘贴图片"), this, [this] { paste(); });
    remove_ = menu_->addAction(QStringLiteral("移除图片"), this, [this] { remove(); });
    choose_->setObjectName(QStringLiteral("pictureChoose"));
    paste_->setObjectName(QStringLiteral("picturePaste"));
    remove_->setObjectName(QStringLiteral("pictureRemove"));
    setEditable(false);
}

PicturePanel::~PicturePanel() = default;

void PicturePanel::watch(QWidget* form) {
    form->setAcceptDrops(true);
    form->installEventFilter(this);
    // Controls keep a paste for themselves (the list takes it as a search);
    // a text box takes a dragged file's path as text, where a picture file
    // dropped on it means the picture.
    for (QWidget* w : form->findChildren<QWidget*>())
        if (w != this && !isAncestorOf(w)) w->installEventFilter(this);
}

// ---- showing --------------------------------------------------------------

QRect PicturePanel::noteRect() const {
    const QRect c = contentsRect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const int h = fontMetrics().height();
    return QRect(c.left(), c.bottom() - h + 1, c.width(), h);
}

QRect PicturePanel::imageRect() const {
    const QRect c = contentsRect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    return c.adjusted(0, 0, 0, -noteRect().height());
}

QImage PicturePanel::decoded(const QByteArray& bytes, QString* error) {
    fittedTo_ = imageRect().size();
    const PictureDecoder::Result r = PictureDecoder::decode(bytes, fittedTo_, devicePixelRatioF());
    if (!r.ok() && error) *error = r.error;
    return r.image;
}

void PicturePanel::showRecord(const void* set, const QString& record,
                              const std::function<QByteArray(QString*)>& read) {
    pending_.reset();
    pendingThumb_ = QImage();
    if (set != set_ || record != record_ || !set) {
        set_ = set;
        record_ = record;
        const QString& key = record;
        QString why;
        const QByteArray bytes = read(&why);
        storedPresent_ = !bytes.isEmpty() || !why.isEmpty();
        storedThumb_ = QImage();
        storedBytes_.clear();
        if (!bytes.isEmpty()) storedThumb_ = decoded(bytes, &why);
        if (!storedThumb_.isNull()) storedBytes_ = bytes;
        if (!storedThumb_.isNull())
            qCInfo(lcUi).noquote() << "editor shows the picture of record" << key << ":"
                                   << PictureDecoder::format(bytes) << storedThumb_.width() << "x"
                                   << storedThumb_.height() << "device pixels";
        else if (storedPresent_)
            qCInfo(lcUi).noquote()
                << "editor cannot show the picture of record" << key << ":" << why;
    }
    changed();
}

void PicturePanel::clear() {
    set_ = nullptr;
    record_.clear();
    storedPresent_ = false;
    storedThumb_ = QImage();
    storedBytes_.clear();
    pending_.reset();
    pendingThumb_ = QImage();
    changed();
}

QImage PicturePanel::thumbnail() const {
    if (movie_) return movie_->frame();
    return pending_ ? pendingThumb_ : storedThumb_;
}

// The thumbnail shown plays when it is an animation; the same bytes at the
// same size go on playing where they are.
void PicturePanel::animate(bool refitted) {
    const QImage still = pending_ ? pendingThumb_ : storedThumb_;
    const QByteArray bytes = still.isNull() ? QByteArray() : pending_ ? *pending_ : storedBytes_;
    if (!refitted && movie_ && bytes == movieBytes_) return;
    movie_.reset();
    movieBytes_ = bytes;
    if (bytes.isEmpty()) return;
    movie_ = AnimatedPicture::open(bytes, fittedTo_, devicePixelRatioF(), nullptr);
    if (!movie_) return;
    connect(movie_.get(), &AnimatedPicture::frameChanged, this, [this] { update(imageRect()); });
    movie_->start();
}

bool PicturePanel::hasContent() const {
    return pending_.has_value() || storedPresent_;
}

QString PicturePanel::note() const {
    if (pending_ && pending_->isEmpty()) return QStringLiteral("保存后移除");
    if (pending_) return QStringLiteral("保存后生效");
    if (storedPresent_ && storedThumb_.isNull()) return QStringLiteral("图片无法显示");
    if (!storedPresent_) return QStringLiteral("无图片");
    return {};
}

void PicturePanel::changed() {
    const bool removable = pending_ ? !pending_->isEmpty() : storedPresent_;
    remove_->setEnabled(editable_ && removable);
    animate(false);
    update();
    const bool has = hasContent();
    if (has != hadContent_) {
        hadContent_ = has;
        emit contentChanged(has);
    }
}

void PicturePanel::setEditable(bool on) {
    editable_ = on;
    choose_->setEnabled(on);
    paste_->setEnabled(on);
    setAcceptDrops(on);
    changed();
    emit editableChanged(on);
}

void PicturePanel::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    QPainter p(this);
    if (frameShape() == QFrame::NoFrame) {
        // At the foot of a list: a rule parts it from the entries.
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(0, 0, width() - 1, 0);
    }
    const QImage image = thumbnail();
    const QString text = note();
    if (!image.isNull()) {
        const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
        const QRect area = imageRect();
        const QPointF at(area.left() + (area.width() - logical.width()) / 2,
                         area.top() + (area.height() - logical.height()) / 2);
        p.drawImage(QRectF(at, logical), image);
    }
    p.setPen(palette().color(QPalette::PlaceholderText));
    p.drawText(image.isNull() ? imageRect() : noteRect(), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void PicturePanel::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    // The first record is often shown before the window is laid out (at the
    // foot of a list the panel gets its size only when it appears): a
    // thumbnail made for another size is made again for this one.
    if (imageRect().size() == fittedTo_) return;
    auto refit = [this](const QByteArray& bytes, QImage& thumb) {
        if (thumb.isNull()) return;  // nothing shown, or bytes that never decoded
        const QImage again = decoded(bytes, nullptr);
        if (!again.isNull()) thumb = again;
    };
    refit(storedBytes_, storedThumb_);
    if (pending_) refit(*pending_, pendingThumb_);
    animate(true);
    if (!thumbnail().isNull())
        qCInfo(lcUi).noquote() << "editor fits the picture of record" << record_ << "to"
                               << fittedTo_.width() << "x" << fittedTo_.height() << ":"
                               << thumbnail().width() << "x" << thumbnail().height()
                               << "device pixels";
    update();
}

// ---- changing -------------------------------------------------------------

void PicturePanel::refuse(const QString& source, const QString& why) {
    qCInfo(lcUi).noquote() << "editor refused a picture from" << source << ":" << why;
    MessageBox::show(this, MessageBox::Icon::Critical,
                     QStringLiteral("“%1”不能作为题目的图片：%2。").arg(source, why));
}

bool PicturePanel::take(const QByteArray& bytes, const QString& source) {
    if (!editable_) return false;
    QString why;
    const QImage thumb = decoded(bytes, &why);
    if (thumb.isNull()) {
        refuse(source, why);
        return false;
    }
    pending_ = bytes;
    pendingThumb_ = thumb;
    qCInfo(lcUi).noquote() << "editor took a picture from" << source << ":"
                           << PictureDecoder::format(bytes) << bytes.size()
                           << "bytes, written on save";
    changed();
    return true;
}

bool PicturePanel::takeFile(const QString& path) {
    if (!editable_) return false;
    const QFileInfo info(path);
    // A huge file is refused before it is read.
    if (info.size() > PictureDecoder::kMaxBytes) {
        refuse(info.fileName(), QStringLiteral("图片过大（%1 字节，最多 %2 字节）")
                                    .arg(info.size())
                                    .arg(PictureDecoder::kMaxBytes));
        return false;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        MessageBox::show(this, MessageBox::Icon::Critical,
                         QStringLiteral("无法读取文件“%1”。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return take(file.readAll(), info.fileName());
}

bool PicturePanel::takeImage(const QImage& image) {
    if (!editable_) return false;
    // A copied image has no file of its own: it is kept as PNG.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        refuse(QStringLiteral("剪贴板"), QStringLiteral("图片无法转换为 PNG"));
        return false;
    }
    return take(png, QStringLiteral("剪贴板"));
}

bool PicturePanel::takeMime(const QMimeData* mime) {
    // A file keeps its own bytes; an image without a file becomes PNG.
    const QString file = localFile(mime);
    if (!file.isEmpty()) return takeFile(file);
    if (mime && mime->hasImage()) return takeImage(qvariant_cast<QImage>(mime->imageData()));
    return false;
}

bool PicturePanel::paste() {
    if (!editable_) return false;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!offersPicture(mime)) {
        MessageBox::show(this, MessageBox::Icon::Critical, QStringLiteral("剪贴板里没有图片。"));
        return false;
    }
    return takeMime(mime);
}

void PicturePanel::remove() {
    if (!editable_) return;
    // A picture only chosen is simply forgotten; a stored one is removed on save.
    if (storedPresent_)
        pending_ = QByteArray();
    else
        pending_.reset();
    pendingThumb_ = QImage();
    qCInfo(lcUi).noquote() << "editor removed the picture"
                           << (storedPresent_ ? "(written on save)" : "");
    changed();
}

bool PicturePanel::chooseFile() {
    if (!editable_) return false;
    if (lastFolder_.isEmpty()) {
        lastFolder_ = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!QFileInfo::exists(lastFolder_)) lastFolder_ = QDir::homePath();
    }
    const QString path =
        fileHook()
            ? fileHook()()
            : QFileDialog::getOpenFileName(
                  window(), QStringLiteral("选择题目的图片"), lastFolder_,
                  QStringLiteral("图片 (*.png *.jpg *.jpeg *.gif *.webp *.svg);;所有文件 (*)"));
    if (path.isEmpty()) return false;
    lastFolder_ = QFileInfo(path).absolutePath();
    return takeFile(path);
}

// ---- events ---------------------------------------------------------------

bool PicturePanel::acceptsDrag(const QMimeData* mime) const {
    return editable_ && offersPicture(mime);
}

void PicturePanel::dragEnterEvent(QDragEnterEvent* e) {
    if (acceptsDrag(e->mimeData())) e->acceptProposedAction();
}

void PicturePanel::dropEvent(QDropEvent* e) {
    if (!acceptsDrag(e->mimeData())) return;
    e->acceptProposedAction();
    takeMime(e->mimeData());
}

void PicturePanel::contextMenuEvent(QContextMenuEvent* e) {
    menu_->popup(e->globalPos());
}

void PicturePanel::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste))
        paste();
    else if (e->key() == Qt::Key_Delete)
        remove();
    else
        QFrame::keyPressEvent(e);
}

bool PicturePanel::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(e);
            if (!acceptsDrag(drag->mimeData())) break;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(e);
            if (!acceptsDrag(drop->mimeData())) break;
            drop->acceptProposedAction();
            takeMime(drop->mimeData());
            return true;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(e);
            if (!key->matches(QKeySequence::Paste) || !editable_) break;
            const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
            // In a text box text wins: only a clipboard without text pastes a picture.
            const bool textBox = qobject_cast<QLineEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched);
            if (!offersPicture(mime) || (textBox && mime->hasText())) break;
            takeMime(mime);
            return true;
        }
        default:
            break;
    }
    return QFrame::eventFilter(watched, e);
}

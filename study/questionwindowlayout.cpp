// SPDX-License-Identifier: GPL-3.0-or-later
// The display window on the screen: the label and the window fitted to the
// text, kept on the screen, and dragged by the mouse.
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/logging.h"
#include "platform/widgets/twips.h"
#include "study/module1.h"
#include "study/questionfit.h"
#include "study/questionpicture.h"
#include "study/questionwindow.h"

namespace {
// Button value of a mouse event: 1 left, 2 right, 4 middle, summed over the
// buttons held, so both buttons together give 3.
int buttonValue(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}
}  // namespace

void QuestionWindow::fitToText() {
    // A record's text shortened for the last layout is laid out whole again:
    // the font or the screen may have changed since.
    const QString whole = shownText();
    if (!shortened_.isEmpty() && LB_->text() == shortened_) LB_->setText(whole);
    shortened_.clear();
    const bool recordText = LB_->text() == whole;
    const int width = labelWidth();
    int height = LB_->heightForWidth(width);
    const QScreen* s = screen();
    if (s && recordText) {
        // What the screen can show of the label below the picture.
        const int room = s->availableGeometry().height() - Twips::toPixels(200) -
                         picture_->spaceAbove() - (frameGeometry().height() - this->height());
        if (height > room) height = shortenToFit(width, room);
    }
    picture_->move(LB_->x() + (width - picture_->pictureSize().width()) / 2, Twips::toPixels(80));
    LB_->move(LB_->x(), Twips::toPixels(80) + picture_->spaceAbove());
    LB_->resize(width, height);
    // 4. The window hugs the label (and the picture).
    systemMove_.geometryAsked();
    resize(width + Twips::toPixels(200), height + Twips::toPixels(200) + picture_->spaceAbove());
    // 5. On the screen, moved up no further than it must.
    if (s) {
        const QPoint at = fitOnScreen_.place(pos(), frameGeometry().size(), s->geometry(),
                                             s->availableGeometry());
        if (at != pos()) move(at);
    }
    // 6.
    LB_->repaint();
    update();
    qCInfo(lcDisplay).noquote() << QStringLiteral("geometry %1 %2 %3x%4")
                                       .arg(x())
                                       .arg(y())
                                       .arg(this->width())
                                       .arg(this->height());
}

int QuestionWindow::labelWidth() {
    const double tpp = Twips::perPixel();
    const QString text = LB_->text();
    // The designed lengths suit 12 points; at other sizes they grow with the
    // font, so the window keeps the shape it has at 12 points instead of
    // turning into a column (larger fonts) or a strip (smaller ones).
    const double scale = LB_->font().pointSizeF() / 12.0;
    const QScreen* s = screen();
    // Never wider than the screen can show with the window's margin.
    const double widest = s ? (s->availableGeometry().width() - Twips::toPixels(200)) * tpp : 1e9;
    // 1. One-line width and line height, in the label's own font. The label
    // sizes itself to the text, so fallback fonts for Chinese count in both
    // measures just as they do in LB.
    lb0_->setFont(LB_->font());
    lb0_->setText(text);
    lb0_->adjustSize();
    const double w0 = lb0_->width() * tpp;
    const double h0 = lb0_->height() * tpp;
    // 2. Height wrapped at 5000 (at 12 points) in the configured size.
    const double h1 = LB_->heightForWidth(Twips::toPixels(std::min(5000.0 * scale, widest))) * tpp;
    // 3. The one-line width spread over that many lines, never below 2100.
    const double lines = h1 > 0 && h0 > 0 ? h1 / h0 : 1.0;
    const int textWidth = Twips::toPixels(std::min(MaxValue(2100.0 * scale, w0 / lines), widest));
    // A picture stands above the text, which is at least as wide as it.
    return std::max(textWidth, picture_->pictureSize().width());
}

int QuestionWindow::shortenToFit(int width, int room) {
    // The window keeps the width the whole text gave it; the question gives
    // way so that the marker and the answer stay in view.
    const auto fits = [&](const QString& text) {
        LB_->setText(text);
        return LB_->heightForWidth(width) <= room;
    };
    const auto compose = [this](const QString& question, const QString& answer) {
        return displayText(question, answer, markerOnOwnLine_);
    };
    shortened_ = QuestionFit::shorten(cycle_.shownQuestion(), cycle_.shownAnswer(), compose, fits);
    LB_->setText(shortened_);
    qCInfo(lcDisplay).noquote()
        << QStringLiteral("text shortened to fit the screen: %1 of %2 characters")
               .arg(shortened_.size())
               .arg(shownText().size());
    return LB_->heightForWidth(width);
}

void QuestionWindow::mousePressEvent(QMouseEvent* e) {
    dragOffset_ = e->globalPosition().toPoint() - pos();
    mouseDown(buttonValue(e->buttons()));
}

bool QuestionWindow::event(QEvent* e) {
    watchSystemMove(e);
    // A fault met while loading is told once the window is there to point at.
    if (e->type() == QEvent::Show) tellUntoldFault();
    return QWidget::event(e);
}

void QuestionWindow::watchSystemMove(const QEvent* e) {
    const Qt::MouseButtons buttons = e->isSinglePointEvent()
                                         ? static_cast<const QSinglePointEvent*>(e)->buttons()
                                         : Qt::NoButton;
    if (!systemMove_.endsMoveToRedo(e->type(), buttons)) return;
    // A step fell during the move and the window manager kept the old size.
    qCInfo(lcDisplay) << "move ended (" << e->type() << "): layout applied again";
    fitToText();
}

bool QuestionWindow::eventFilter(QObject* o, QEvent* e) {
    if (o == LB_) watchSystemMove(e);
    if (o == LB_ && e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        dragOffset_ = me->globalPosition().toPoint() - pos();
        mouseDown(buttonValue(me->buttons()));
        return true;
    }
    if (o == LB_ && (e->type() == QEvent::MouseMove || e->type() == QEvent::MouseButtonRelease)) {
        auto* me = static_cast<QMouseEvent*>(e);
        if (e->type() == QEvent::MouseMove)
            mouseMoveEvent(me);
        else
            mouseReleaseEvent(me);
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void QuestionWindow::mouseDown(int button) {
    if (button == 2) mnumain_->popup(QCursor::pos());
    if (button == 1) {
        // The drag begins with the first move of the held button. Begun at
        // the press, a plain click (to give the window the keys) left the
        // window manager moving the window, taking every key, until the next
        // click.
        moveOnMotion_ = true;
        manualDrag_ = false;
    }
}

void QuestionWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    if (moveOnMotion_) {
        moveOnMotion_ = false;
        // The window system drags the window; without one we follow the mouse.
        QWindow* w = windowHandle();
        manualDrag_ = !(w && w->startSystemMove());
        if (!manualDrag_) systemMove_.started();
    }
    if (manualDrag_) move(e->globalPosition().toPoint() - dragOffset_);
}

void QuestionWindow::mouseReleaseEvent(QMouseEvent* e) {
    // A click on the picture (the button let go where it was pressed, no
    // drag begun) shows it at its own size.
    const bool click = moveOnMotion_ && e->button() == Qt::LeftButton;
    // The label's events come here too, in its own coordinates.
    const QPoint at = picture_->mapFromGlobal(e->globalPosition().toPoint());
    if (click && picture_->shown() && picture_->rect().contains(at)) zoomPicture();
    moveOnMotion_ = false;
    manualDrag_ = false;
}

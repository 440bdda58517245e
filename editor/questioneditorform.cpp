// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's controls: where each stands and what it calls.
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

#include "editor/footedlist.h"
#include "editor/navpictures.h"
#include "editor/picturepanel.h"
#include "editor/questioneditor.h"
#include "editor/questioneditorbox.h"
#include "editor/questioneditorexam.h"
#include "editor/questionlistmodel.h"
#include "skin/skinbutton.h"
#include "skin/skinframe.h"
#include "skin/titlebarbuttons.h"

namespace {
QFont boldFont(const QString& first, double points) {
    QFont f;
    f.setFamilies(
        {first, QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

QFont labelFont() {
    return boldFont(QStringLiteral("Tahoma"), 9);
}

QFont statusFont() {
    return boldFont(QStringLiteral("MS Sans Serif"), 8.25);
}
}  // namespace

template <class T>
T* QuestionEditor::place(T* w, const char* name) {
    const QString n = QLatin1String(name);
    w->setObjectName(n);
    if (v_.geometry.contains(n)) w->setGeometry(v_.geometry.value(n));
    return w;
}

void QuestionEditor::build() {
    canvas_ = new SkinFrame(this);
    canvas_->setObjectName(QStringLiteral("xp_canvas1"));
    // The corners of the title band are cut out of the window, at every
    // layout of the frame and so at every size.
    connect(canvas_, &SkinFrame::Resize, this, [this] { canvas_->cutCorners(this); });
    canvas_->setGeometry(QRect(QPoint(0, 0), v_.frame));
    // The frame's stored properties; what is not stored takes its default
    // (Study's editor keeps the default icon).
    QVariantMap stored{{QStringLiteral("Caption"), v_.caption}};
    if (v_.ownIcon)  // Manager's own 32 x 32 icon, shown at 16 x 16 in the band.
        stored.insert(QStringLiteral("Icon"), QVariant::fromValue(NavPictures::managerIcon()));
    canvas_->loadProperties(stored);
    // Below the documented size the controls would overlap.
    if (v_.grows()) setMinimumSize(v_.frame);

    minimiseButton_ = place(new TitleBarButtons(canvas_), "xptopbuttons3");
    minimiseButton_->setValue(2);
    maximiseButton_ = place(new TitleBarButtons(canvas_), "xptopbuttons2");
    maximiseButton_->setValue(1);
    maximiseButton_->setEnabled(v_.grows());
    closeButton_ = place(new TitleBarButtons(canvas_), "xptopbuttons1");
    closeButton_->setValue(0);
    connect(closeButton_, &TitleBarButtons::Click, this, &QuestionEditor::onClose);
    connect(minimiseButton_, &TitleBarButtons::Click, this, &QuestionEditor::onMinimise);
    connect(maximiseButton_, &TitleBarButtons::Click, this, &QuestionEditor::onMaximise);

    buildFields();
    buildButtons();
    buildList();
    buildNavigation();
    buildPicture();
    keepDocumentedPlaces();

    setWindowTitle(v_.caption);
    setStartSize(v_.frame);
}

void QuestionEditor::setStartSize(const QSize& size) {
    resize(size.expandedTo(v_.frame));
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    canvas_->cutCorners(this);
}

void QuestionEditor::buildFields() {
    questionLabel_ = place(new QLabel(canvas_), "Label_6");
    if (v_.questionLines)
        questionLines_ = place(new QuestionBox(canvas_), "text1");
    else
        questionLine_ = place(new QLineEdit(canvas_), "text1");
    answerLabel_ = place(new QLabel(canvas_), "Label_5");
    answerBox_ = place(new QLineEdit(canvas_), "text2");
    for (QLabel* l : {answerLabel_, questionLabel_}) l->setFont(labelFont());
    // Only a window that grows has room for the exam-form fields.
    if (!v_.grows()) return;
    exam_ = new ExamPanel(canvas_);
    exam_->hide();
}

void QuestionEditor::buildButtons() {
    auto button = [this](const char* name, const QString& caption, void (QuestionEditor::*slot)()) {
        auto* b = place(new SkinButton(canvas_), name);
        b->setFont(v_.buttonFont);
        b->setCaption(caption);
        connect(b, &SkinButton::Click, this, slot);
        return b;
    };
    saveButton_ = button("cmdSave", v_.saveCaption, &QuestionEditor::onSave);
    addButton_ = button("CmdAdd", v_.addCaption, &QuestionEditor::onAdd);
    deleteButton_ = button("cmdDelete", v_.deleteCaption, &QuestionEditor::onDelete);
    if (!v_.hasCategory()) return;
    exitButton_ = button("Command1", QStringLiteral("退出"), &QuestionEditor::onExit);
    categoryLabel_ = place(new QLabel(QStringLiteral("管理分类"), canvas_), "Label2");
    categoryLabel_->setFont(labelFont());
    categoryBox_ = place(new QComboBox(canvas_), "Combo1");
    categoryBox_->resize(v_.geometry.value(QStringLiteral("Combo1")).width(),
                         categoryBox_->sizeHint().height());
    connect(categoryBox_, &QComboBox::activated, this, &QuestionEditor::onCategoryChosen);
    categoryBox_->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus either
    categoryBox_->installEventFilter(this);
}

void QuestionEditor::buildList() {
    list_ = place(new FootedList(canvas_), "List1");
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    model_ = new QuestionListModel(session_, this);
    // Rows coming and going move the list's current entry: that is not the
    // user's choice. Set before the view's own handlers run, cleared after.
    for (auto about :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved})
        connect(model_, about, this, [this] { followingSet_ = true; });
    list_->setModel(model_);
    for (auto done : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model_, done, this, [this] { followingSet_ = false; });
    // A click runs the selection once, also on the entry already selected;
    // a row change by the keyboard runs it too.
    connect(list_, &QAbstractItemView::pressed, this, [this] { rowChangedByPress_ = false; });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (followingSet_) return;
                rowChangedByPress_ = true;
                if (current.isValid()) onRowChosen();
            });
    connect(list_, &QAbstractItemView::clicked, this, [this] {
        if (!rowChangedByPress_) onRowChosen();
        rowChangedByPress_ = false;
    });
}

void QuestionEditor::buildNavigation() {
    auto image = [this](const char* name, NavPictures::Kind kind, void (QuestionEditor::*slot)()) {
        auto* b = place(new QToolButton(canvas_), name);
        const QPixmap pm = NavPictures::picture(kind);
        b->setIcon(QIcon(pm));
        b->setIconSize(pm.size());
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    firstButton_ = image("cmdGFirst", NavPictures::Kind::First, &QuestionEditor::onFirst);
    previousButton_ = image("cmdPrev", NavPictures::Kind::Previous, &QuestionEditor::onPrevious);
    statusBox_ = place(new QLineEdit(canvas_), "txtGCurent");
    statusBox_->setFont(statusFont());
    statusBox_->setReadOnly(true);
    nextButton_ = image("cmdNext", NavPictures::Kind::Next, &QuestionEditor::onNext);
    lastButton_ = image("cmdGLast", NavPictures::Kind::Last, &QuestionEditor::onLast);
    addPictureButton_ = image("cmdGAdd", NavPictures::Kind::Add, &QuestionEditor::onAdd);
    addPictureButton_->setToolTip(QStringLiteral("Add"));
}

void QuestionEditor::buildPicture() {
    picture_ = new PicturePanel(canvas_);
    picture_->setObjectName(QStringLiteral("picture"));
    if (v_.pictureBox.isValid()) {
        picture_->setGeometry(v_.pictureBox);
    } else {
        // No free room of its own: the foot of the list, while there is a picture.
        picture_->setFrameShape(QFrame::NoFrame);
        list_->setFoot(picture_, 110);
        connect(picture_, &PicturePanel::contentChanged, list_, &FootedList::showFoot);
    }
    pictureButton_ = place(new SkinButton(canvas_), "cmdPicture");
    pictureButton_->setGeometry(v_.pictureButton);
    pictureButton_->setFont(v_.buttonFont);
    pictureButton_->setCaption(QStringLiteral("图片…"));
    pictureButton_->setToolTip(picture_->toolTip());
    pictureButton_->setEnabled(false);
    connect(picture_, &PicturePanel::editableChanged, pictureButton_, &QWidget::setEnabled);
    connect(pictureButton_, &SkinButton::Click, this, [this] {
        picture_->menu()->popup(pictureButton_->mapToGlobal(QPoint(0, pictureButton_->height())));
    });
    picture_->watch(this);
}

bool QuestionEditor::eventFilter(QObject* watched, QEvent* e) {
    // A wheel turned over the unfocused drop-down would switch the category
    // and throw away what is typed in the boxes.
    if (watched == categoryBox_ && e->type() == QEvent::Wheel && !categoryBox_->hasFocus()) {
        e->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

// Taken once the controls stand at their documented places: the layout of
// any size starts from these.
void QuestionEditor::keepDocumentedPlaces() {
    for (auto it = v_.stretch.begin(); it != v_.stretch.end(); ++it)
        if (auto* w = canvas_->findChild<QWidget*>(it.key(), Qt::FindDirectChildrenOnly))
            stretched_.push_back({w, w->geometry(), it.value()});
}

void QuestionEditor::layOutControls() {
    const QRect answer = v_.geometry.value(QStringLiteral("text2"));
    const Stretch::Insert room{answer.bottom() + 1, examShown_ ? ExamPanel::kHeight : 0};
    const QSize extra = size() - v_.frame - QSize(0, room.height);
    for (const Stretched& s : stretched_)
        s.widget->setGeometry(s.stretch.apply(s.documented, extra, room));
    if (!exam_) return;
    const QRect below = answerBox_->geometry();
    exam_->setGeometry(below.left(), below.bottom() + 9, below.width(), room.height - 13);
}

void QuestionEditor::showExamFields(bool on) {
    if (!exam_ || on == examShown_) return;
    examShown_ = on;
    exam_->setVisible(on);
    const QSize smallest = v_.frame + QSize(0, on ? ExamPanel::kHeight : 0);
    const bool grows = height() < smallest.height();
    setMinimumSize(smallest);  // may already resize the window
    if (grows) {
        resize(width(), smallest.height());
        // Grown by the form itself, not by the user: not a size to keep.
        if (sizeMemory_) sizeMemory_->openedAt({normalGeometry().size(), isMaximized()});
    }
    layOutControls();
}

void QuestionEditor::resizeEvent(QResizeEvent*) {
    // The frame covers the whole client area, whatever size the user drags to.
    canvas_->resize(size());
    layOutControls();
}

void QuestionEditor::changeEvent(QEvent* e) {
    // The middle title button offers what a click would do next.
    if (e->type() == QEvent::WindowStateChange && v_.grows())
        maximiseButton_->setValue(windowState() & Qt::WindowMaximized ? 3 : 1);
    QWidget::changeEvent(e);
}

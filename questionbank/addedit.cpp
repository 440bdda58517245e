// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/addedit.h"

#include <SQLiteCpp/Exception.h>

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

#include "platform/folderpath.h"
#include "platform/logging.h"
#include "platform/widgets/messagebox.h"
#include "questionbank/bankschema.h"
#include "questionbank/categories.h"
#include "questionbank/columns.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/footedlist.h"
#include "questionbank/navpictures.h"
#include "questionbank/picturecolumn.h"
#include "questionbank/picturepanel.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"
#include "skin/skinbutton.h"
#include "skin/skinframe.h"
#include "skin/titlebarbuttons.h"

namespace {
using Columns::kChinese;
using Columns::kEnglish;

QString trimSpaces(const QString& s) {
    // Only U+0020 counts: a question of tabs or full-width blanks is kept.
    int b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) ++b;
    while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
    return s.mid(b, e - b);
}

QFont labelFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSize(9);
    f.setBold(true);
    return f;
}

QFont statusFont() {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSizeF(8.25);
    f.setBold(true);
    return f;
}
}  // namespace

QString addedit::StatusLine(int n, int total) {
    return QStringLiteral("第 ") + QString::number(n) + QStringLiteral(" 行，总数： ") +
           QString::number(total);
}

addedit::addedit(const EditorVariant& variant, const QString& dataFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), v_(variant), folder_(dataFolder) {
    setObjectName(QStringLiteral("addedit"));
    build();
}

addedit::~addedit() = default;

template <class T>
T* addedit::place(T* w, const char* name) {
    const QString n = QLatin1String(name);
    w->setObjectName(n);
    if (v_.geometry.contains(n)) w->setGeometry(v_.geometry.value(n));
    return w;
}

void addedit::build() {
    canvas_ = new SkinFrame(this);
    canvas_->setObjectName(QStringLiteral("xp_canvas1"));
    // The corners of the title band are cut out of the window, at every
    // layout of the frame and so at every size.
    connect(canvas_, &SkinFrame::Resize, this, [this] { canvas_->cutCorners(this); });
    canvas_->setGeometry(QRect(QPoint(0, 0), v_.frame));
    // The frame's stored properties; what is not stored takes its default
    // (Study's editor keeps the default icon).
    QVariantMap stored{{QStringLiteral("Caption"), v_.caption}};
    if (v_.fixedFrame) {
        // Manager's own 32 x 32 icon, shown at 16 x 16 in the band.
        stored.insert(QStringLiteral("Icon"), QVariant::fromValue(NavPictures::managerIcon()));
        stored.insert(QStringLiteral("Fixed_Single"), true);
    }
    canvas_->loadProperties(stored);
    if (v_.fixedFrame)
        setFixedSize(v_.frame);
    else
        resize(v_.frame);

    top3_ = place(new TitleBarButtons(canvas_), "xptopbuttons3");
    top3_->setValue(2);
    top2_ = place(new TitleBarButtons(canvas_), "xptopbuttons2");
    top2_->setValue(1);
    top2_->setEnabled(false);
    top1_ = place(new TitleBarButtons(canvas_), "xptopbuttons1");
    top1_->setValue(0);
    connect(top1_, &TitleBarButtons::Click, this, &addedit::xptopbuttons1_Click);
    connect(top3_, &TitleBarButtons::Click, this, &addedit::xptopbuttons3_Click);

    label6_ = place(new QLabel(canvas_), "Label_6");
    text1_ = place(new QLineEdit(canvas_), "text1");
    label5_ = place(new QLabel(canvas_), "Label_5");
    text2_ = place(new QLineEdit(canvas_), "text2");
    for (QLabel* l : {label5_, label6_}) l->setFont(labelFont());

    auto button = [this](const char* name, const QString& caption, void (addedit::*slot)()) {
        auto* b = place(new SkinButton(canvas_), name);
        b->setFont(v_.buttonFont);
        b->setCaption(caption);
        connect(b, &SkinButton::Click, this, slot);
        return b;
    };
    cmdSave_ = button("cmdSave", v_.saveCaption, &addedit::cmdSave_Click);
    CmdAdd_ = button("CmdAdd", v_.addCaption, &addedit::CmdAdd_Click);
    cmdDelete_ = button("cmdDelete", v_.deleteCaption, &addedit::cmdDelete_Click);
    if (v_.hasCategory()) {
        Command1_ = button("Command1", QStringLiteral("退出"), &addedit::Command1_Click);
        label2_ = place(new QLabel(QStringLiteral("管理分类"), canvas_), "Label2");
        label2_->setFont(labelFont());
        Combo1_ = place(new QComboBox(canvas_), "Combo1");
        Combo1_->resize(v_.geometry.value(QStringLiteral("Combo1")).width(),
                        Combo1_->sizeHint().height());
        connect(Combo1_, &QComboBox::activated, this, &addedit::Combo1_Click);
        Combo1_->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus either
        Combo1_->installEventFilter(this);
    }

    List1_ = place(new FootedList(canvas_), "List1");
    List1_->setUniformItemSizes(true);
    List1_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click runs the selection once, also on the entry already selected;
    // a row change by the keyboard runs it too.
    connect(List1_, &QListWidget::itemPressed, this,
            [this](QListWidgetItem*) { rowChangedByPress_ = false; });
    connect(List1_, &QListWidget::currentRowChanged, this, [this](int row) {
        rowChangedByPress_ = true;
        if (row >= 0) List1_Click();
    });
    connect(List1_, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (!rowChangedByPress_) List1_Click();
        rowChangedByPress_ = false;
    });

    auto image = [this](const char* name, NavPictures::Kind kind, void (addedit::*slot)()) {
        auto* b = place(new QToolButton(canvas_), name);
        const QPixmap pm = NavPictures::picture(kind);
        b->setIcon(QIcon(pm));
        b->setIconSize(pm.size());
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    cmdGFirst_ = image("cmdGFirst", NavPictures::Kind::First, &addedit::cmdGFirst_Click);
    cmdPrev_ = image("cmdPrev", NavPictures::Kind::Previous, &addedit::cmdPrev_Click);
    txtGCurent_ = place(new QLineEdit(canvas_), "txtGCurent");
    txtGCurent_->setFont(statusFont());
    txtGCurent_->setReadOnly(true);
    cmdNext_ = image("cmdNext", NavPictures::Kind::Next, &addedit::cmdNext_Click);
    cmdGLast_ = image("cmdGLast", NavPictures::Kind::Last, &addedit::cmdGLast_Click);
    cmdGAdd_ = image("cmdGAdd", NavPictures::Kind::Add, &addedit::cmdGAdd_Click);
    cmdGAdd_->setToolTip(QStringLiteral("Add"));

    buildPicture();

    setWindowTitle(v_.caption);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(v_.frame.width() / 2, v_.frame.height() / 2));
    canvas_->cutCorners(this);
}

bool addedit::eventFilter(QObject* watched, QEvent* e) {
    // A wheel turned over the unfocused drop-down would switch the category
    // and throw away what is typed in the boxes.
    if (watched == Combo1_ && e->type() == QEvent::Wheel && !Combo1_->hasFocus()) {
        e->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

// ---- loading ------------------------------------------------------------

bool addedit::openDatabase(QString* error) {
    try {
        const QString path = FolderPath::join(folder_, v_.databaseFile);
        auto db = Database::open(path, {.exclusive = true, .readOnly = false}, v_.connect);
        // Rows are addressed by their index: a file whose index is not the
        // row id could have the wrong question changed or deleted.
        if (!BankSchema::indexIsRowId(db->sqlite()))
            throw DbError::make(DbError::CannotUpdate, path);
        db_ = std::move(db);
        return true;
    } catch (const DbError& e) {
        if (error) *error = e.message();
        return false;
    } catch (const SQLite::Exception& e) {
        if (error) *error = DbError::fromSqlite(e, v_.databaseFile).message();
        return false;
    }
}

bool addedit::Form_Load() {
    label5_->setText(QStringLiteral("答案"));
    label6_->setText(v_.questionLabel);
    if (v_.hasCategory()) {
        Combo1_->addItems(Categories::names());
        Combo1_->setCurrentIndex(-1);
        DisableBrowsing();
        cmdDelete_->setEnabled(false);
        cmdSave_->setEnabled(false);
        return true;
    }
    QString error;
    if (!openDatabase(&error)) {
        MessageBox::show(this, MessageBox::Icon::Critical,
                         error + QStringLiteral("\n新题目管理无法打开，生词本没有改动。"));
        return false;
    }
    try {
        rs_ = RecordSet::open(db_, Queries::studyEditor());
    } catch (const DbError& e) {
        MessageBox::show(this, MessageBox::Icon::Critical, e.message());
        return false;
    }
    if (rs_->atBOF() && rs_->atEOF()) {
        ClearFields();
        List1_->clear();
        AddMode_ = true;
        return true;
    }
    loadFirstRecord();
    return true;
}

// Shared by loading and by a category with records.
void addedit::loadFirstRecord() {
    showFields();
    fillList();
    rs_->MoveFirst();
    FirstBookmark_ = rs_->Bookmark();
    selectListEntry(rs_->AbsolutePosition());
    setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
    cmdDelete_->setEnabled(true);
    EnableBrowsing();
}

void addedit::fillList() {
    List1_->clear();
    QStringList entries;
    entries.reserve(rs_->RecordCount());
    for (; !rs_->atEOF(); rs_->MoveNext()) entries << rs_->text(kEnglish);
    const QSignalBlocker block(List1_);
    List1_->addItems(entries);  // one batch: the list lays out once
}

void addedit::Combo1_Click() {
    // Every failure here is passed over; the form goes on with what it has.
    if (!db_) {
        QString error;
        if (!openDatabase(&error)) MessageBox::show(this, MessageBox::Icon::Critical, error);
    }
    if (db_) {
        try {
            rs_ = RecordSet::open(db_, Queries::managerEditor(Combo1_->currentText()));
        } catch (const DbError& e) {
            categoryUnreadable(e);
            return;
        }
    }
    if (!rs_ || (rs_->atBOF() && rs_->atEOF())) {
        ClearFields();
        text1_->setFocus();
        List1_->clear();
        AddMode_ = true;
        return;
    }
    loadFirstRecord();
}

void addedit::categoryUnreadable(const DbError& e) {
    // The set of the category chosen before belongs to that category: kept
    // under the new name, a save would move its record into this one. The
    // form goes back to how it stood before any category was chosen.
    qCInfo(lcDb).noquote() << "category" << Combo1_->currentText() << "not read:" << e.number()
                           << e.message();
    rs_.reset();
    FirstBookmark_.clear();
    ClearFields();
    List1_->clear();
    txtGCurent_->clear();
    AddMode_ = true;
    DisableBrowsing();
    cmdDelete_->setEnabled(false);
    cmdSave_->setEnabled(false);
    MessageBox::show(this, MessageBox::Icon::Critical,
                     e.message() + QStringLiteral("\n分类“%1”的题目无法读取，请选择其他分类。")
                                       .arg(Combo1_->currentText()));
}

// ---- browsing -----------------------------------------------------------

void addedit::setStatus(int n, int total) {
    txtGCurent_->setText(StatusLine(n, total));
}

void addedit::selectListEntry(int row) {
    // Selecting from code counts as the user's click.
    {
        const QSignalBlocker block(List1_);
        List1_->setCurrentRow(row);
    }
    if (row >= 0 && row < List1_->count()) List1_Click();
}

void addedit::showFields() {
    // A long question or answer shows from its start.
    text1_->setText(rs_->text(kEnglish));
    text1_->setCursorPosition(0);
    text2_->setText(rs_->text(kChinese));
    text2_->setCursorPosition(0);
    showPicture();
}

bool addedit::seekShownRecord() {
    // After Prev on the first or Next on the last record the set stands
    // before or past its ends, while the boxes and the list still show that
    // record: make it current again.
    if (AddMode_ || !rs_) return false;
    const int row = List1_->currentRow();
    if (row < 0 || row >= rs_->RecordCount()) return false;
    if (rs_->hasCurrent() && rs_->AbsolutePosition() == row) return true;
    try {
        rs_->Move(row, FirstBookmark_);
    } catch (const DbError& e) {
        qCDebug(lcDb) << "shown record not found:" << e.number();
        return false;
    }
    return rs_->hasCurrent() && rs_->AbsolutePosition() == row;
}

void addedit::showRecord() {
    if (!rs_ || !rs_->hasCurrent()) return;
    showFields();
    const int pos = rs_->AbsolutePosition();
    selectListEntry(pos);
    setStatus(pos + 1, rs_->RecordCount());
}

void addedit::cmdGFirst_Click() {
    if (!rs_) return;
    rs_->MoveFirst();
    showRecord();
}

void addedit::cmdGLast_Click() {
    if (!rs_) return;
    rs_->MoveLast();
    showRecord();
}

void addedit::cmdNext_Click() {
    if (!rs_ || rs_->atEOF()) return;
    rs_->MoveNext();
    if (!rs_->atEOF()) showRecord();
}

void addedit::cmdPrev_Click() {
    if (!rs_ || rs_->atBOF()) return;
    rs_->MovePrevious();
    if (!rs_->atBOF()) showRecord();
}

void addedit::List1_Click() {
    if (!rs_ || inListClick_) return;
    inListClick_ = true;
    if (AddMode_) {
        AddMode_ = false;
        EnableBrowsing();
    }
    const int i = List1_->currentRow();
    try {
        rs_->Move(i, FirstBookmark_);
        showFields();
        setStatus(i + 1, rs_->RecordCount());
    } catch (const DbError& e) {
        qCDebug(lcDb) << "list selection without a record:" << e.number();
    }
    inListClick_ = false;
}

void addedit::ClearFields() {
    text1_->clear();
    text2_->clear();
    picture_->clear();
    picture_->setEditable(rs_ != nullptr);
}

QList<QWidget*> addedit::browsingControls() const {
    return {cmdGFirst_, cmdPrev_, cmdNext_, cmdGLast_, cmdGAdd_, CmdAdd_};
}

void addedit::DisableBrowsing() {
    for (QWidget* w : browsingControls()) w->setEnabled(false);
}

void addedit::EnableBrowsing() {
    for (QWidget* w : browsingControls()) w->setEnabled(true);
    if (v_.saveIsBrowsing) cmdSave_->setEnabled(true);
}

void addedit::cmdGAdd_Click() {
    ClearFields();
    DisableBrowsing();
    text1_->setFocus();
    AddMode_ = true;
}

// ---- writing ------------------------------------------------------------

void addedit::SaveCurrent() {
    if (!rs_) return;
    if (!AddMode_ && !seekShownRecord()) {
        // Never drop typed text without a word: it stays in the boxes.
        MessageBox::show(this, MessageBox::Icon::Critical,
                         QStringLiteral("没有正在显示的题目可以修改，输入的内容没有保存。"));
        return;
    }
    if (AddMode_)
        rs_->AddNew();
    else
        rs_->Edit();
    if (trimSpaces(text2_->text()).isEmpty() || trimSpaces(text1_->text()).isEmpty()) return;

    int error = 0;
    QString message;
    try {
        if (!wroteThisSession_ && beforeFirstWrite_) {
            QString why;
            if (!beforeFirstWrite_(*db_, &why)) throw DbError(DbError::Other, why);
        }
        rs_->setField(kEnglish, text1_->text());
        rs_->setField(kChinese, text2_->text());
        if (v_.hasCategory()) rs_->setField(QStringLiteral("category"), Combo1_->currentText());
        // Only a changed picture is written: without one Save runs as it always did.
        if (const auto& change = picture_->pendingChange()) rs_->setPicture(*change);
        rs_->Update();
        wroteThisSession_ = true;
        rs_->setBookmark(rs_->LastModified());
        if (AddMode_)
            List1_->addItem(rs_->text(kEnglish));
        else if (QListWidgetItem* item = List1_->currentItem())
            item->setText(rs_->text(kEnglish));
        List1_->update();
        rs_->MoveFirst();
        FirstBookmark_ = rs_->Bookmark();
        selectListEntry(rs_->AbsolutePosition());
        setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
        EnableBrowsing();
        AddMode_ = false;
        cmdDelete_->setEnabled(true);
    } catch (const DbError& e) {
        error = e.number();
        message = e.message();
    }
    if (error == DbError::DuplicateKey) {
        MessageBox::show(this, MessageBox::Icon::Critical, QStringLiteral("Duplicate record !"));
        return;  // the typed text stays for correcting
    }
    if (error != 0) {
        // A write that did not happen is said so, and what was typed stays.
        MessageBox::show(this, MessageBox::Icon::Critical,
                         message + QStringLiteral("\n题目没有保存。"));
        return;
    }
    ClearFields();
    cmdGAdd_Click();
}

void addedit::cmdDelete_Click() {
    if (!rs_) return;
    const bool empty = rs_->atBOF() && rs_->atEOF();
    // Only the record the boxes show is deleted; while adding they show none.
    if (!empty && !seekShownRecord()) return;
    if (rs_->RecordCount() == v_.deleteThreshold) {
        DisableBrowsing();
        AddMode_ = true;
        cmdDelete_->setEnabled(false);
    }
    if (empty) {
        AddMode_ = true;
        MessageBox::show(this, MessageBox::Icon::Critical, v_.emptyMessage);
        return;
    }
    try {
        if (!wroteThisSession_ && beforeFirstWrite_) {
            QString why;
            if (!beforeFirstWrite_(*db_, &why)) throw DbError(DbError::Other, why);
        }
        rs_->Delete();
        wroteThisSession_ = true;
    } catch (const DbError& e) {
        // The record is still there, so the list keeps its entry.
        MessageBox::show(this, MessageBox::Icon::Critical,
                         e.message() + QStringLiteral("\n题目没有删除。"));
        return;
    }
    ClearFields();
    rs_->MoveFirst();
    if (List1_->currentRow() == 0) FirstBookmark_ = rs_->Bookmark();
    {
        const QSignalBlocker block(List1_);
        delete List1_->takeItem(List1_->currentRow());
    }
    List1_->update();
    selectListEntry(rs_->AbsolutePosition());
    setStatus(rs_->AbsolutePosition() + 1, rs_->RecordCount());
}

// ---- title bar and exit -------------------------------------------------

void addedit::resizeEvent(QResizeEvent*) {
    // The frame covers the whole client area, whatever size the user drags to.
    canvas_->resize(size());
}

void addedit::end() {
    qCInfo(lcUi).noquote() << "editor" << v_.caption << "closed";
    hide();
    if (closer_) closer_();
}

void addedit::xptopbuttons1_Click() {
    end();
}
void addedit::xptopbuttons3_Click() {
    showMinimized();
}
void addedit::Command1_Click() {
    end();
}

// ---- the question's picture ---------------------------------------------

void addedit::buildPicture() {
    picture_ = new PicturePanel(canvas_);
    picture_->setObjectName(QStringLiteral("picture"));
    if (v_.pictureBox.isValid()) {
        picture_->setGeometry(v_.pictureBox);
    } else if (auto* list = qobject_cast<FootedList*>(List1_)) {
        // No free room of its own: the foot of the list, while there is a picture.
        picture_->setFrameShape(QFrame::NoFrame);
        list->setFoot(picture_, 110);
        connect(picture_, &PicturePanel::contentChanged, list, &FootedList::showFoot);
    }
    cmdPicture_ = place(new SkinButton(canvas_), "cmdPicture");
    cmdPicture_->setGeometry(v_.pictureButton);
    cmdPicture_->setFont(v_.buttonFont);
    cmdPicture_->setCaption(QStringLiteral("图片…"));
    cmdPicture_->setToolTip(picture_->toolTip());
    cmdPicture_->setEnabled(false);
    connect(picture_, &PicturePanel::editableChanged, cmdPicture_, &QWidget::setEnabled);
    connect(cmdPicture_, &SkinButton::Click, this, [this] {
        picture_->menu()->popup(cmdPicture_->mapToGlobal(QPoint(0, cmdPicture_->height())));
    });
    picture_->watch(this);
}

void addedit::showPicture() {
    picture_->setEditable(true);
    picture_->showRecord(rs_.get(), rs_->Bookmark(),
                         [this](QString* error) { return rs_->picture(error); });
}

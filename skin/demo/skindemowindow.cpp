// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/demo/skindemowindow.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/logging.h"
#include "skin/skinbutton.h"
#include "skin/skinframe.h"
#include "skin/titlebarbuttons.h"

namespace {

SkinButton* commandButton(QWidget* parent, const char* name, const QString& caption,
                          const QRect& geometry) {
    auto* button = new SkinButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setCaption(caption);
    return button;
}

}  // namespace

SkinDemoWindow::SkinDemoWindow(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("skindemo"));
    resize(345, 497);
    frame_ = new SkinFrame(this);
    frame_->setObjectName(QStringLiteral("xp_canvas1"));
    frame_->setGeometry(rect());
    frame_->loadProperties({{QStringLiteral("caption"), QStringLiteral("增加问题")}});

    buildTitleButtons();
    placeTitleButtons();
    connect(frame_, &SkinFrame::Resize, this, &SkinDemoWindow::placeTitleButtons);
    // The demo shows the cut corners; the region follows every new size.
    connect(frame_, &SkinFrame::Resize, this, [this] { frame_->cutCorners(this); });
    connect(closeButton_, &TitleBarButtons::Click, this, &QWidget::close);
    connect(maximiseButton_, &TitleBarButtons::Click, this, &SkinDemoWindow::toggleMaximised);
    connect(minimiseButton_, &TitleBarButtons::Click, this, &QWidget::showMinimized);

    questionEdit_ = new QLineEdit(frame_);
    questionEdit_->setObjectName(QStringLiteral("txtQuestion"));
    questionEdit_->setGeometry(20, 50, 305, 24);
    questionEdit_->setPlaceholderText(QStringLiteral("问题"));

    buildCommandButtons();

    eventLabel_ = new QLabel(frame_);
    eventLabel_->setObjectName(QStringLiteral("lblEvent"));
    eventLabel_->setGeometry(20, 90, 305, 20);
    frame_->cutCorners(this);
}

void SkinDemoWindow::buildTitleButtons() {
    const struct {
        TitleBarButtons** button;
        const char* name;
        int value;
    } top[3] = {{&closeButton_, "xptopbuttons1", 0},
                {&maximiseButton_, "xptopbuttons2", 1},
                {&minimiseButton_, "xptopbuttons3", 2}};
    for (const auto& t : top) {
        *t.button = new TitleBarButtons(frame_);
        (*t.button)->setObjectName(QLatin1String(t.name));
        (*t.button)->setValue(t.value);
        reportEvents(*t.button);
    }
}

void SkinDemoWindow::buildCommandButtons() {
    QFont buttons(QStringLiteral("Arial"));
    buttons.setPointSize(9);
    saveButton_ =
        commandButton(frame_, "cmdSave", QStringLiteral("保存问题(&S)"), {20, 420, 81, 25});
    addButton_ = commandButton(frame_, "CmdAdd", QStringLiteral("增加问题"), {132, 420, 81, 25});
    addButton_->setState(1);
    deleteButton_ =
        commandButton(frame_, "cmdDelete", QStringLiteral("删除问题"), {244, 420, 81, 25});
    deleteButton_->setEnabled(false);
    exitButton_ = commandButton(frame_, "Command1", QStringLiteral("退出(&X)"), {244, 455, 81, 25});
    for (SkinButton* b : {saveButton_, addButton_, deleteButton_, exitButton_}) {
        b->setFont(buttons);
        reportEvents(b);
    }
    connect(exitButton_, &SkinButton::Click, this, &QWidget::close);
}

// Every Click and MouseOut of a control shows in the event line.
void SkinDemoWindow::reportEvents(ClickControl* control) {
    const QString name = control->objectName();
    connect(control, &ClickControl::Click, this,
            [=, this] { report(name, QStringLiteral("Click")); });
    connect(control, &ClickControl::MouseOut, this,
            [=, this] { report(name, QStringLiteral("MouseOut")); });
}

QString SkinDemoWindow::lastEvent() const {
    return eventLabel_->text();
}

void SkinDemoWindow::placeTitleButtons() {
    // Right-aligned as at design size, where they sit at 264, 288 and 312.
    const int w = frame_->width();
    closeButton_->move(w - 33, 5);
    maximiseButton_->move(w - 57, 5);
    minimiseButton_->move(w - 81, 5);
    maximiseButton_->setValue(windowState() & Qt::WindowMaximized ? 3 : 1);
}

void SkinDemoWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange) placeTitleButtons();
    QWidget::changeEvent(e);
}

void SkinDemoWindow::toggleMaximised() {
    if (windowState() & Qt::WindowMaximized)
        showNormal();
    else
        showMaximized();
}

void SkinDemoWindow::report(const QString& control, const QString& event) {
    const QString text = control + QLatin1Char(' ') + event;
    eventLabel_->setText(text);
    qCInfo(lcSkin).noquote() << "demo event:" << text;
}

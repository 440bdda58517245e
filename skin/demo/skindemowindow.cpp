// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/demo/skindemowindow.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/logging.h"
#include "skin/xp_canvas.h"
#include "skin/xpcmdbutton.h"
#include "skin/xptopbuttons.h"

namespace {

xpcmdbutton* commandButton(QWidget* parent, const char* name, const QString& caption,
                           const QRect& geometry) {
    auto* button = new xpcmdbutton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setCaption(caption);
    return button;
}

}  // namespace

SkinDemoWindow::SkinDemoWindow(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("skindemo"));
    resize(345, 497);
    xp_canvas1 = new xp_canvas(this);
    xp_canvas1->setObjectName(QStringLiteral("xp_canvas1"));
    xp_canvas1->setGeometry(rect());
    xp_canvas1->ReadProperties({{QStringLiteral("caption"), QStringLiteral("增加问题")}});

    const struct {
        xptopbuttons** button;
        const char* name;
        int value;
    } top[3] = {{&xptopbuttons1, "xptopbuttons1", 0},
                {&xptopbuttons2, "xptopbuttons2", 1},
                {&xptopbuttons3, "xptopbuttons3", 2}};
    for (const auto& t : top) {
        *t.button = new xptopbuttons(xp_canvas1);
        (*t.button)->setObjectName(QLatin1String(t.name));
        (*t.button)->setValue(t.value);
        for (const char* event : {"Click", "MouseOut"}) {
            const QString control = QLatin1String(t.name), ev = QLatin1String(event);
            auto* b = *t.button;
            if (ev == QLatin1String("Click"))
                connect(b, &xptopbuttons::Click, this, [=, this] { report(control, ev); });
            else
                connect(b, &xptopbuttons::MouseOut, this, [=, this] { report(control, ev); });
        }
    }
    placeTitleButtons();
    connect(xp_canvas1, &xp_canvas::Resize, this, &SkinDemoWindow::placeTitleButtons);
    // The demo shows the cut corners; the region follows every new size.
    connect(xp_canvas1, &xp_canvas::Resize, this, [this] { xp_canvas1->make_trans(this); });
    connect(xptopbuttons1, &xptopbuttons::Click, this, &QWidget::close);
    connect(xptopbuttons2, &xptopbuttons::Click, this, &SkinDemoWindow::xptopbuttons2_Click);
    connect(xptopbuttons3, &xptopbuttons::Click, this, &QWidget::showMinimized);

    txtQuestion = new QLineEdit(xp_canvas1);
    txtQuestion->setObjectName(QStringLiteral("txtQuestion"));
    txtQuestion->setGeometry(20, 50, 305, 24);
    txtQuestion->setPlaceholderText(QStringLiteral("问题"));

    QFont buttons(QStringLiteral("Arial"));
    buttons.setPointSize(9);
    cmdSave = commandButton(xp_canvas1, "cmdSave", QStringLiteral("保存问题(&S)"), {20, 420, 81, 25});
    CmdAdd = commandButton(xp_canvas1, "CmdAdd", QStringLiteral("增加问题"), {132, 420, 81, 25});
    CmdAdd->setState(1);
    cmdDelete = commandButton(xp_canvas1, "cmdDelete", QStringLiteral("删除问题"), {244, 420, 81, 25});
    cmdDelete->setEnabled(false);
    Command1 = commandButton(xp_canvas1, "Command1", QStringLiteral("退出(&X)"), {244, 455, 81, 25});
    for (xpcmdbutton* b : {cmdSave, CmdAdd, cmdDelete, Command1}) {
        b->setFont(buttons);
        const QString control = b->objectName();
        connect(b, &xpcmdbutton::Click, this, [=, this] { report(control, QStringLiteral("Click")); });
        connect(b, &xpcmdbutton::MouseOut, this,
                [=, this] { report(control, QStringLiteral("MouseOut")); });
    }
    connect(Command1, &xpcmdbutton::Click, this, &QWidget::close);

    lblEvent = new QLabel(xp_canvas1);
    lblEvent->setObjectName(QStringLiteral("lblEvent"));
    lblEvent->setGeometry(20, 90, 305, 20);
    xp_canvas1->make_trans(this);
}

QString SkinDemoWindow::lastEvent() const { return lblEvent->text(); }

void SkinDemoWindow::placeTitleButtons() {
    // Right-aligned as at design size, where they sit at 264, 288 and 312.
    const int w = xp_canvas1->width();
    xptopbuttons1->move(w - 33, 5);
    xptopbuttons2->move(w - 57, 5);
    xptopbuttons3->move(w - 81, 5);
    xptopbuttons2->setValue(windowState() & Qt::WindowMaximized ? 3 : 1);
}

void SkinDemoWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange) placeTitleButtons();
    QWidget::changeEvent(e);
}

void SkinDemoWindow::xptopbuttons2_Click() {
    if (windowState() & Qt::WindowMaximized) showNormal();
    else showMaximized();
}

void SkinDemoWindow::report(const QString& control, const QString& event) {
    const QString text = control + QLatin1Char(' ') + event;
    lblEvent->setText(text);
    qCInfo(lcSkin).noquote() << "demo event:" << text;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/documentopener.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QWidget>
#include <utility>

#include "platform/logging.h"
#include "platform/widgets/messagebox.h"

namespace {
const char* const kSchemes[] = {"file", "http", "https"};
}

void DocumentOpener::install(QWidget* window) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) return;  // Qt finds whatever else the desktop has
    auto* opener = new DocumentOpener(window, xdgOpen);
    for (const char* scheme : kSchemes)
        QDesktopServices::setUrlHandler(QLatin1String(scheme), opener, "openUrl");
}

void DocumentOpener::open(QWidget* window, const QUrl& url, const QString& failure) {
    if (auto* opener = window ? window->findChild<DocumentOpener*>() : nullptr)
        opener->nextFailure_ = failure;
    const bool handedOver = QDesktopServices::openUrl(url);
    qCInfo(lcUi).noquote() << "open" << url.toString() << (handedOver ? "handed over" : "failed");
    if (!handedOver) MessageBox::show(window, MessageBox::Icon::Warning, failure);
}

DocumentOpener::DocumentOpener(QWidget* window, QString xdgOpen)
    : QObject(window), window_(window), xdgOpen_(std::move(xdgOpen)) {}

DocumentOpener::~DocumentOpener() {
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    // Study is ending while xdg-open still waits on a browser it started in
    // the foreground: the browser runs on by itself; only the script stops.
    for (QProcess* p : findChildren<QProcess*>()) {
        p->disconnect(this);
        if (p->state() == QProcess::NotRunning) continue;
        p->kill();
        p->waitForFinished(1000);
    }
}

void DocumentOpener::openUrl(const QUrl& url) {
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
    QString failure = std::exchange(nextFailure_, QString());
    if (failure.isEmpty()) failure = QStringLiteral("没有找到可以打开它的浏览器：\n%1").arg(target);
    auto* p = new QProcess(this);
    // No pipes: a browser run in the foreground would inherit them and be
    // hurt by writing into a closed one after Study ends.
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->setStandardInputFile(QProcess::nullDevice());
    connect(p, &QProcess::finished, this, [=, this](int code, QProcess::ExitStatus status) {
        ended(p, failure, target, status == QProcess::NormalExit ? code : -1);
    });
    connect(p, &QProcess::errorOccurred, this, [=, this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) ended(p, failure, target, -1);
    });
    qCInfo(lcUi).noquote() << "open" << target << "with" << xdgOpen_;
    p->start(xdgOpen_, {target});
}

void DocumentOpener::ended(QProcess* p, const QString& failure, const QString& target, int code) {
    qCInfo(lcUi) << "xdg-open ended with" << code;
    p->deleteLater();
    if (code == 0) return;
    MessageBox::show(window_, MessageBox::Icon::Warning,
                     code == 2 ? QStringLiteral("找不到要打开的文件：\n%1").arg(target) : failure);
}

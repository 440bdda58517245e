// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/documentopener.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QWidget>

#include "platform/logging.h"
#include "platform/messagebox.h"

void DocumentOpener::open(QWidget* window, const QUrl& url, const QString& failure) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        const bool opened = QDesktopServices::openUrl(url);
        qCInfo(lcUi).noquote() << "open" << url.toString() << (opened ? "handed over" : "failed");
        if (!opened) MessageBox::show(window, MessageBox::Icon::Warning, failure);
        return;
    }
    // Owned by the window, so it ends (quietly) with the program at the latest.
    auto* opener = new DocumentOpener(window, failure);
    opener->setParent(window);
    opener->start(xdgOpen, url);
}

DocumentOpener::DocumentOpener(QWidget* window, QString failure)
    : window_(window), failure_(std::move(failure)) {
    // No pipes: a browser that xdg-open runs in the foreground inherits them
    // and would be hurt by writing into a closed one after Study ends.
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    connect(&process_, &QProcess::finished, this, &DocumentOpener::finished);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) fail();
    });
}

DocumentOpener::~DocumentOpener() {
    // Study is ending while xdg-open still waits on a browser it started: the
    // browser runs on by itself; only the waiting script is stopped.
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

void DocumentOpener::start(const QString& opener, const QUrl& url) {
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
    qCInfo(lcUi).noquote() << "open" << target << "with" << opener;
    process_.start(opener, {target});
}

void DocumentOpener::finished(int code, QProcess::ExitStatus status) {
    qCInfo(lcUi) << "xdg-open ended with" << code
                 << (status == QProcess::NormalExit ? "" : "(crashed)");
    if (status != QProcess::NormalExit || code != 0) {
        fail();
        return;
    }
    deleteLater();
}

void DocumentOpener::fail() {
    MessageBox::show(window_, MessageBox::Icon::Warning, failure_);
    deleteLater();
}

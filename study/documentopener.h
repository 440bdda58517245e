// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QUrl>

class QWidget;

// Opens the help page or the web site in the desktop's browser and tells the
// learner when that cannot be done. On Linux the opener Qt itself would use
// is xdg-open; Qt reports success as soon as xdg-open starts, while a missing
// browser shows only in its exit status (3: no tool, 4: the action failed).
// So xdg-open is started here and its end awaited; elsewhere, or without
// xdg-open, QDesktopServices decides.
class DocumentOpener : public QObject {
    Q_OBJECT
public:
    // `failure` is the message shown, over `window`, when nothing opened it.
    static void open(QWidget* window, const QUrl& url, const QString& failure);
    ~DocumentOpener() override;

private:
    DocumentOpener(QWidget* window, QString failure);
    void start(const QString& opener, const QUrl& url);
    void finished(int code, QProcess::ExitStatus status);
    void fail();

    QPointer<QWidget> window_;
    QString failure_;
    QProcess process_;
};

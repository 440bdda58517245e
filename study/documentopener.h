// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QUrl>

class QWidget;

// Opens the help page or the web site in the desktop's browser and tells the
// learner when that cannot be done. Everything goes through QDesktopServices.
// On Linux Qt hands a page to xdg-open and reports success once it starts,
// while a missing browser shows only in xdg-open's exit status (2: no such
// file, 3: no tool, 4: the action failed). So Study installs this class as
// the handler of file and web addresses: it starts xdg-open itself and
// awaits its end.
class DocumentOpener : public QObject {
    Q_OBJECT
public:
    // Installs the handler, owned by `window`, where xdg-open is on PATH.
    static void install(QWidget* window);
    // Opens `url`; `failure` is the message shown over `window` when
    // nothing opened it.
    static void open(QWidget* window, const QUrl& url, const QString& failure);
    ~DocumentOpener() override;

public slots:
    // Called by QDesktopServices.
    void openUrl(const QUrl& url);

private:
    DocumentOpener(QWidget* window, QString xdgOpen);
    void ended(QProcess* p, const QString& failure, const QString& target, int code);

    QPointer<QWidget> window_;
    QString xdgOpen_;
    QString nextFailure_;  // the message for the page being opened now
};

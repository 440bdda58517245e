// SPDX-License-Identifier: GPL-3.0-or-later
// The user's copies on a system install when a newer package brings a
// changed bank: an unchanged copy follows it, a changed one is kept.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

#include "platform/copyrecord.h"
#include "platform/datafolder.h"
#include "platform/settingsstore.h"
#include "study/feedbacknote.h"
#include "study/studyapp.h"
#include "tests/support/testenv.h"

namespace {
QStringList logLines;
void capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    logLines << text;
}

struct Upgrade : ::testing::Test {
    TestEnv env;
    QString user = env.root() + QStringLiteral("/data/Quillmere");
    QtMessageHandler previous = nullptr;

    void SetUp() override {
        writeFile(env.file("reg.ocx"), "bank 1");
        writeFile(env.file("word.ocx"), "list 1");
        logLines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("questionbank.db=true"));
        previous = qInstallMessageHandler(capture);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }
    QString inUser(const char* name) const { return user + QLatin1Char('/') + QLatin1String(name); }
    void start() { DataFolder::prepare(env.programDir(), DataFolder::Mode::Installed, user); }
    void install(const QByteArray& bank) { writeFile(env.file("reg.ocx"), bank); }
    QString log() const { return logLines.join(QLatin1Char('\n')); }
};
}  // namespace

TEST_F(Upgrade, FirstStartRecordsWhereTheBankCameFrom) {
    start();
    EXPECT_EQ(readFile(inUser("installed.sha256")),
              CopyRecord::digestOf(env.file("reg.ocx")) + "  reg.ocx\n")
        << "sha256sum's form, for the bank only";
}

TEST_F(Upgrade, UnchangedCopyFollowsTheNewerInstalledBankInOneStep) {
    start();
    // A second name for the copy's file shows whether it is written in place.
    ASSERT_EQ(::link(QFile::encodeName(inUser("reg.ocx")).constData(),
                     QFile::encodeName(env.root() + "/old").constData()),
              0);
    install("bank 2, with picture questions");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 2, with picture questions");
    EXPECT_EQ(readFile(env.root() + "/old"), "bank 1") << "replaced by a rename, not rewritten";
    EXPECT_TRUE(QFileInfo(inUser("reg.ocx")).permissions() & QFile::WriteOwner);
    EXPECT_TRUE(log().contains("replaced " + inUser("reg.ocx"))) << log().toStdString();
    EXPECT_FALSE(QFileInfo::exists(inUser("reg.ocx.part")));
    EXPECT_FALSE(QFileInfo::exists(inUser("installed.sha256.part")));
    // The record follows, so the next release replaces it again.
    install("bank 3");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 3");
}

TEST_F(Upgrade, ChangedCopyIsKeptAndTheLogSaysHowToTakeTheNewQuestions) {
    start();
    writeFile(inUser("reg.ocx"), "bank 1 with my own question");
    install("bank 2");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 1 with my own question");
    EXPECT_TRUE(log().contains("kept " + inUser("reg.ocx") + " (changed by the user)"));
    EXPECT_TRUE(log().contains("quillmere-bankctl")) << log().toStdString();
}

TEST_F(Upgrade, PersonalListIsNeverReplaced) {
    start();
    writeFile(env.file("word.ocx"), "list 2");
    install("bank 2");
    start();
    EXPECT_EQ(readFile(inUser("word.ocx")), "list 1");
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 2");
}

TEST_F(Upgrade, UnchangedInstalledBankLeavesAChangedCopyAloneWithoutALogLine) {
    start();
    writeFile(inUser("reg.ocx"), "mine");
    logLines.clear();
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "mine");
    EXPECT_FALSE(log().contains("kept")) << log().toStdString();
}

TEST_F(Upgrade, CopyFromBeforeTheRecordIsAdoptedWhenItMatchesAndKeptWhenItDoesNot) {
    QDir().mkpath(user);
    writeFile(inUser("reg.ocx"), "bank 1");  // copied by an earlier release, no record
    start();
    install("bank 2");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 2") << "same bytes as installed: adopted";

    QFile::remove(inUser("installed.sha256"));
    writeFile(inUser("reg.ocx"), "an older bank, or edited");
    install("bank 3");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "an older bank, or edited");
    EXPECT_TRUE(log().contains("its origin is not recorded")) << log().toStdString();
}

TEST_F(Upgrade, LinkIsNeitherReplacedNorWrittenThrough) {
    start();
    const QString elsewhere = env.root() + QStringLiteral("/elsewhere.ocx");
    writeFile(elsewhere, "bank 1");
    QFile::remove(inUser("reg.ocx"));
    ASSERT_TRUE(QFile::link(elsewhere, inUser("reg.ocx")));
    install("bank 2");
    start();
    EXPECT_TRUE(QFileInfo(inUser("reg.ocx")).isSymLink());
    EXPECT_EQ(readFile(elsewhere), "bank 1");
}

TEST_F(Upgrade, CopyInUseIsReplacedAtALaterStart) {
    start();
    install("bank 2");
    {
        // A journal: a program was writing it, or was interrupted while doing so.
        writeFile(inUser("reg.ocx-journal"), "");
        start();
        EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 1");
        QFile::remove(inUser("reg.ocx-journal"));
    }
    {
        // Another process holds SQLite's lock bytes, as Manager does all session.
        int ready[2], done[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(done), 0);
        const QByteArray path = QFile::encodeName(inUser("reg.ocx"));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int fd = ::open(path.constData(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = 0x40000002;  // the shared range
            lock.l_len = 510;
            const char ok = (fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0) ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            char c;
            (void)!::read(done[0], &c, 1);
            ::_exit(0);
        }
        char ok = 0;
        ASSERT_EQ(::read(ready[0], &ok, 1), 1);
        EXPECT_EQ(ok, '1');
        start();
        EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 1");
        EXPECT_TRUE(log().contains("is in use")) << log().toStdString();
        (void)!::write(done[1], "x", 1);
        int status = 0;
        ::waitpid(child, &status, 0);
        for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
    }
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 2");
}

// ---- Telling the learner once ----------------------------------------------

namespace {
QStringList untoldNames(const TestEnv& env, const QString& user) {
    QStringList names;
    for (const DataFolder::KeptCopy& k :
         DataFolder::untoldKeptCopies(env.programDir(), DataFolder::Mode::Installed, user))
        names << k.name + QLatin1Char(':') + k.copy;
    return names;
}
}  // namespace

TEST_F(Upgrade, KeptCopyIsToldOncePerNewerInstalledBank) {
    start();
    EXPECT_TRUE(untoldNames(env, user).isEmpty()) << "a fresh copy is nothing to tell";
    writeFile(inUser("reg.ocx"), "bank 1 with my own question");
    start();
    EXPECT_TRUE(untoldNames(env, user).isEmpty()) << "no newer bank yet";

    install("bank 2");
    start();
    const auto kept =
        DataFolder::untoldKeptCopies(env.programDir(), DataFolder::Mode::Installed, user);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].copy, inUser("reg.ocx"));
    EXPECT_EQ(kept[0].installed, env.file("reg.ocx"));
    start();
    EXPECT_EQ(untoldNames(env, user).size(), 1) << "until told, every start has it";
    ASSERT_TRUE(DataFolder::markTold(user, kept[0]));
    start();
    EXPECT_TRUE(untoldNames(env, user).isEmpty()) << "told once";
    EXPECT_EQ(readFile(inUser("installed.sha256")).count('\n'), 1)
        << "the copy record keeps only what sha256sum can check";

    install("bank 3");
    start();
    EXPECT_EQ(untoldNames(env, user).size(), 1) << "a newer bank again";
    EXPECT_TRUE(
        DataFolder::untoldKeptCopies(env.programDir(), DataFolder::Mode::Portable, user).isEmpty());
}

TEST_F(Upgrade, NothingToTellWhenTheCopyFollowedOrIsMissing) {
    start();
    install("bank 2");
    start();
    EXPECT_EQ(readFile(inUser("reg.ocx")), "bank 2");
    EXPECT_TRUE(untoldNames(env, user).isEmpty()) << "replaced, not kept";
    QFile::remove(inUser("reg.ocx"));
    install("bank 3");
    EXPECT_TRUE(untoldNames(env, user).isEmpty());
}

// Study, started on a system install after the upgrade, says so under its
// display the first time, and not again.
TEST(UpgradeNotice, StudyTellsOnceUnderTheDisplay) {
    TestEnv env;
    qputenv("QUILLMERE_DATA_MODE", "installed");
    const QString user = env.root() + QStringLiteral("/data/Quillmere");
    const auto bank = [&](const char* question) {
        env.makeBank(
            {{QStringLiteral("交通安全法律"), QString::fromUtf8(question), QStringLiteral("答")}});
    };
    env.makePersonalList({});
    const auto startStudy = [&] {
        SettingsStore store;
        StudyApp study(store, QuestionWindow::SpeechMaker{});
        study.main().setTerminator([] {});
        study.start();
        return study.main().note()->isVisible() ? study.main().note()->text() : QString();
    };
    bank("第一版");
    EXPECT_EQ(startStudy(), QString());
    bank("我改过的");
    QFile::remove(user + QStringLiteral("/reg.ocx"));
    ASSERT_TRUE(
        QFile::copy(env.file(QStringLiteral("reg.ocx")), user + QStringLiteral("/reg.ocx")));
    bank("第二版");

    const QString said = startStudy();
    EXPECT_TRUE(said.contains(QStringLiteral("已保留"))) << said.toStdString();
    EXPECT_TRUE(said.contains(user + QStringLiteral("/reg.ocx")));
    EXPECT_TRUE(said.contains(QStringLiteral("帮助")))
        << "where to read how to take the new questions";
    EXPECT_EQ(startStudy(), QString()) << "told once";
    qunsetenv("QUILLMERE_DATA_MODE");
}

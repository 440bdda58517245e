// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>

#include "platform/datafolder.h"
#include "platform/programfolder.h"
#include "questionbank/queries.h"
#include "study/studyapp.h"
#include "tests/study/studyfixture.h"

namespace {
// A private world with a program folder holding both databases, and the
// user's data folder where the installed mode keeps its copies.
struct Installed {
    TestEnv env;
    QString user = env.root() + QStringLiteral("/data/Quillmere");
    Installed() {
        writeFile(env.file("reg.ocx"), "bank");
        writeFile(env.file("word.ocx"), "list");
    }
    QString inUser(const char* name) const { return user + QLatin1Char('/') + QLatin1String(name); }
};

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

struct ModeVar {
    explicit ModeVar(const char* v) { qputenv("QUILLMERE_DATA_MODE", v); }
    ~ModeVar() { qunsetenv("QUILLMERE_DATA_MODE"); }
};
}  // namespace

TEST(DataFolder, PortableUsesTheProgramFolderAndMakesNothingElsewhere) {
    Installed w;
    EXPECT_EQ(DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Portable, w.user),
              w.env.programDir());
    EXPECT_FALSE(QFileInfo::exists(w.user));
}

TEST(DataFolder, InstalledCopiesBothDatabasesOnFirstStartAndLeavesTheProgramFolderAlone) {
    Installed w;
    const QStringList before = entries(w.env.programDir());
    EXPECT_EQ(DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user), w.user);
    EXPECT_EQ(readFile(w.inUser("reg.ocx")), "bank");
    EXPECT_EQ(readFile(w.inUser("word.ocx")), "list");
    EXPECT_EQ(entries(w.user), QStringList({"installed.sha256", "reg.ocx", "word.ocx"}))
        << "no temporary file is left";
    EXPECT_EQ(entries(w.env.programDir()), before);
}

TEST(DataFolder, InstalledKeepsAUserCopyWhileTheInstalledFileIsTheSame) {
    Installed w;
    writeFile(w.inUser("word.ocx"), "my own words");
    DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user);
    EXPECT_EQ(readFile(w.inUser("word.ocx")), "my own words");
    EXPECT_EQ(readFile(w.inUser("reg.ocx")), "bank") << "the missing one is still copied";
    writeFile(w.inUser("reg.ocx"), "my own bank");
    DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user);
    EXPECT_EQ(readFile(w.inUser("reg.ocx")), "my own bank");
}

TEST(DataFolder, InstalledCopyIsWritableThoughTheInstalledFileIsNot) {
    Installed w;
    QFile::setPermissions(w.env.file("reg.ocx"),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user);
    EXPECT_TRUE(QFileInfo(w.inUser("reg.ocx")).permissions() & QFile::WriteOwner);
}

TEST(DataFolder, InstalledSkipsWhatIsNotInstalledAndNeverWritesThroughALink) {
    Installed w;
    QFile::remove(w.env.file("word.ocx"));
    QDir().mkpath(w.user);
    const QString elsewhere = w.env.root() + QStringLiteral("/elsewhere.ocx");
    ASSERT_TRUE(QFile::link(elsewhere, w.inUser("reg.ocx")));  // dangling
    DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user);
    EXPECT_FALSE(QFileInfo::exists(elsewhere));
    EXPECT_FALSE(QFileInfo::exists(w.inUser("word.ocx")));
}

TEST(DataFolder, LeftOverPartialCopyDoesNotBlockTheCopy) {
    Installed w;
    writeFile(w.inUser("reg.ocx.part"), "half");
    DataFolder::prepare(w.env.programDir(), DataFolder::Mode::Installed, w.user);
    EXPECT_EQ(readFile(w.inUser("reg.ocx")), "bank");
    EXPECT_FALSE(QFileInfo::exists(w.inUser("reg.ocx.part")));
}

TEST(DataFolder, UserFolderFollowsXdgDataHome) {
    TestEnv env;
    EXPECT_EQ(DataFolder::userFolder(), env.root() + QStringLiteral("/data/Quillmere"));
}

TEST(DataFolderMode, EnvironmentDecidesBothWays) {
    TestEnv env;
    {
        ModeVar m("installed");
        EXPECT_EQ(DataFolder::modeFor(env.programDir()), DataFolder::Mode::Installed);
    }
    {
        ModeVar m("portable");
        EXPECT_EQ(DataFolder::modeFor(QStringLiteral("/")), DataFolder::Mode::Portable);
    }
    EXPECT_EQ(DataFolder::modeFor(env.programDir()), DataFolder::Mode::Portable)
        << "a writable folder";
}

TEST(DataFolderMode, ReadOnlyFolderIsInstalled) {
    TestEnv env;
    const QString dir = env.root() + QStringLiteral("/readonly");
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(dir).constData(), W_OK) == 0)
        GTEST_SKIP()
            << "this user (root) may write into any folder; QUILLMERE_DATA_MODE covers that case";
    EXPECT_EQ(DataFolder::modeFor(dir), DataFolder::Mode::Installed);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A package's folder under /usr is used as an installed one by everybody:
// root, who may write there, would otherwise keep its edits and backups in
// files the package manager owns. /usr/local is the administrator's own.
TEST(DataFolderMode, PackagedFolderIsInstalledEvenWhereWritable) {
    TestEnv env;
    const auto writable = [](const char* dir) { return ::access(dir, W_OK) == 0; };
    for (const char* dir : {"/usr/lib", "/usr/share", "/usr"}) {
        EXPECT_EQ(DataFolder::modeFor(QString::fromLatin1(dir)), DataFolder::Mode::Installed)
            << dir << (writable(dir) ? " (writable for this user)" : "");
    }
    {
        ModeVar m("portable");
        EXPECT_EQ(DataFolder::modeFor(QStringLiteral("/usr/lib")), DataFolder::Mode::Portable)
            << "the environment still decides";
    }
    // Reached through a link, the folder is still the package's.
    const QString link = env.root() + QStringLiteral("/link-to-usr-share");
    ASSERT_TRUE(QFile::link(QStringLiteral("/usr/share"), link));
    EXPECT_EQ(DataFolder::modeFor(link), DataFolder::Mode::Installed);
    EXPECT_EQ(DataFolder::modeFor(env.programDir()), DataFolder::Mode::Portable);
    if (QFileInfo(QStringLiteral("/usr/local/lib")).isDir()) {
        EXPECT_EQ(
            DataFolder::modeFor(QStringLiteral("/usr/local/lib")),
            writable("/usr/local/lib") ? DataFolder::Mode::Portable : DataFolder::Mode::Installed);
    }
}

TEST(DataFolderMode, PackagedFolderIsUnderUsrButNotUsrLocal) {
    for (const char* dir : {"/usr/lib/quillmere", "/usr/lib/x/../quillmere", "/usr/games/q"})
        EXPECT_TRUE(ProgramFolder::belongsToPackage(QString::fromLatin1(dir))) << dir;
    for (const char* dir : {"/usr/local/lib/quillmere", "/usr/local", "/usr/lib/../local/q",
                            "/usrx/lib/quillmere", "/opt/quillmere", "/home/u/quillmere"})
        EXPECT_FALSE(ProgramFolder::belongsToPackage(QString::fromLatin1(dir))) << dir;
}

// Study in the installed mode: the window and the personal-list editor use
// the user's copies, and the program folder gets nothing new.
TEST(InstalledStudy, ShowsAndEditsTheUserCopies) {
    ModeVar m("installed");
    StudyFixture f;
    f.env.makeBank(threeQuestions());
    f.env.makePersonalList(
        {{QStringLiteral("交通信号"), QStringLiteral("安装的题"), QStringLiteral("答")}});
    const QString user = f.env.root() + QStringLiteral("/data/Quillmere");
    QDir().mkpath(user);
    BankSchema::build(
        user + QStringLiteral("/word.ocx"), BankSchema::Kind::PersonalList,
        {{QStringLiteral("交通信号"), QStringLiteral("我的题"), QStringLiteral("答")}}, {});
    const QStringList before = entries(f.env.programDir());

    f.settings({{"guageword", "1"}, {"voice", "0"}});
    f.start();
    EXPECT_EQ(f.shownQuestion(), "问题1") << "the bank was copied and opened";
    EXPECT_TRUE(QFileInfo::exists(user + QStringLiteral("/reg.ocx")));

    SettingsStore store;
    StudyApp app(store, [] { return std::unique_ptr<Speech>(); });
    app.showEditor();
    ASSERT_NE(app.editor(), nullptr);
    auto* list = app.editor()->findChild<QListView*>(QStringLiteral("List1"));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "我的题");
    delete app.editor();
    f.frm.reset();
    EXPECT_EQ(entries(f.env.programDir()), before);
}

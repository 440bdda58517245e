// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include "editor/footedlist.h"
#include "editor/picturepanel.h"
#include "manager/bankbackup.h"
#include "questionbank/picturedecoder.h"
#include "tests/editor/editorfixture.h"
#include "tests/support/picturebytes.h"

// The question's picture in both editors, driven through the widgets: shown
// with its record, set from the file dialog, a drop or the clipboard,
// removed, and written with the record on save.

namespace {

const QByteArray kPng = PictureBytes::encoded("PNG", 40, 30, Qt::blue);
const QByteArray kSvg = PictureBytes::svgSign();

struct PictureFixture : EditorFixture {
    QString chosen;  // what the file dialog answers
    int dialogs = 0;
    PictureFixture() {
        PicturePanel::setFileHook([this] {
            ++dialogs;
            return chosen;
        });
    }
    ~PictureFixture() { PicturePanel::setFileHook({}); }

    PicturePanel* panel() const { return w<PicturePanel>("picture"); }
    QAction* action(const char* name) const {
        return panel()->findChild<QAction*>(QLatin1String(name));
    }
    void chooseFile(const QString& path) {
        chosen = path;
        action("pictureChoose")->trigger();
    }
    QString fileWith(const QString& name, const QByteArray& bytes) {
        const QString path = env.root() + QLatin1Char('/') + name;
        writeFile(path, bytes);
        return path;
    }
    void choose(const QString& category) {
        auto* combo = w<QComboBox>("Combo1");
        combo->setCurrentIndex(combo->findText(category));
        emit combo->activated(combo->currentIndex());
    }
    // The stored picture of a question, read after the form has let the file go.
    QByteArray stored(const QString& file, const QString& question) {
        form.reset();
        auto db = Database::open(env.file(file), {.readOnly = true}, Queries::kBankConnect);
        SQLite::Statement q(db->sqlite(), "select picture from Word where English = ?");
        q.bind(1, question.toStdString());
        if (!q.executeStep() || q.getColumn(0).isNull()) return {};
        const SQLite::Column c = q.getColumn(0);
        return QByteArray(static_cast<const char*>(c.getBlob()), c.getBytes());
    }
};

bool hasPictureColumn(const QString& path) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(db,
                        "select count(*) from pragma_table_info('Word') where name = 'picture'");
    return q.executeStep() && q.getColumn(0).getInt() == 1;
}

struct ManagerPictures : PictureFixture {
    ManagerPictures() {
        env.makeBank({{"交通信号", "b 无图", "2", {}},
                      {"交通信号", "a 标志", "1", kSvg},
                      {"交通信号", "c 坏图", "3", QByteArray("not a picture at all")},
                      {"文明驾驶", "文明", "x", kPng}});
        EXPECT_TRUE(open(EditorVariant::manager()));
    }
};

}  // namespace

TEST(EditorPicture, ManagerShowsThePictureOfEachRecordShown) {
    ManagerPictures f;
    EXPECT_FALSE(f.panel()->editable()) << "no category yet";
    EXPECT_FALSE(f.enabled("cmdPicture"));
    EXPECT_EQ(f.panel()->geometry(), EditorVariant::manager().pictureBox);
    f.choose("交通信号");
    EXPECT_TRUE(f.enabled("cmdPicture"));
    ASSERT_EQ(f.text1()->text(), "a 标志");
    const QImage sign = f.panel()->thumbnail();
    ASSERT_FALSE(sign.isNull());
    EXPECT_LE(sign.width() / sign.devicePixelRatio(), f.panel()->width());
    EXPECT_EQ(sign.pixelColor(sign.width() / 2, sign.height() / 4).red(), 255) << "the red sign";
    f.click("cmdNext");
    EXPECT_EQ(f.text1()->text(), "b 无图");
    EXPECT_TRUE(f.panel()->thumbnail().isNull());
    EXPECT_EQ(f.panel()->note(), "无图片");
    f.clickRow(2);  // bytes that are no picture: nothing drawn, no crash
    EXPECT_EQ(f.text1()->text(), "c 坏图");
    EXPECT_TRUE(f.panel()->thumbnail().isNull());
    EXPECT_EQ(f.panel()->note(), "图片无法显示");
    EXPECT_TRUE(f.action("pictureRemove")->isEnabled()) << "a bad picture can be removed";
    f.click("cmdGFirst");
    EXPECT_FALSE(f.panel()->thumbnail().isNull());
    f.click("CmdAdd");
    EXPECT_TRUE(f.panel()->thumbnail().isNull()) << "a new question starts without a picture";
    f.choose("文明驾驶");
    EXPECT_FALSE(f.panel()->thumbnail().isNull());
    EXPECT_TRUE(f.messages.empty());
}

TEST(EditorPicture, ManagerSetsAPictureFromTheFileDialogAndSavesItWithTheRecord) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");  // b 无图
    f.chooseFile(f.fileWith("lamp.png", kPng));
    EXPECT_EQ(f.dialogs, 1);
    ASSERT_TRUE(f.panel()->pendingChange().has_value());
    EXPECT_FALSE(f.panel()->thumbnail().isNull()) << "the chosen picture shows before the save";
    f.type(f.text2(), "新答案");
    f.click("cmdSave");
    EXPECT_TRUE(f.messages.empty());
    EXPECT_TRUE(f.form->adding()) << "ready for the next question, as after every save";
    EXPECT_FALSE(f.panel()->pendingChange().has_value());
    EXPECT_EQ(f.rows("reg.ocx",
                     "select English || '|' || Chinese || '|' || length(picture) from Word "
                     "where English = 'b 无图'"),
              QStringList({QString("b 无图|新答案|%1").arg(kPng.size())}));
    EXPECT_EQ(f.stored("reg.ocx", "b 无图"), kPng);
}

TEST(EditorPicture, ShowingAnotherRecordDropsAPendingPicture) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");
    f.chooseFile(f.fileWith("lamp.png", kPng));
    f.click("cmdGFirst");
    f.click("cmdNext");
    EXPECT_FALSE(f.panel()->pendingChange().has_value());
    EXPECT_TRUE(f.panel()->thumbnail().isNull());
    f.click("cmdSave");
    EXPECT_EQ(f.stored("reg.ocx", "b 无图"), QByteArray());
}

TEST(EditorPicture, ManagerRemovesAPictureOnSave) {
    ManagerPictures f;
    f.choose("交通信号");
    f.action("pictureRemove")->trigger();
    EXPECT_TRUE(f.panel()->thumbnail().isNull());
    EXPECT_EQ(f.stored("reg.ocx", "a 标志"), kSvg) << "nothing changes before the save";
    ASSERT_TRUE(f.open(EditorVariant::manager()));
    f.choose("交通信号");
    f.action("pictureRemove")->trigger();
    ASSERT_EQ(f.panel()->pendingChange(), QByteArray());
    f.click("cmdSave");
    EXPECT_EQ(
        f.rows("reg.ocx",
               "select English || '|' || (picture is null) from Word where category = '交通信号' "
               "order by English"),
        QStringList({"a 标志|1", "b 无图|1", "c 坏图|0"}));
}

TEST(EditorPicture, SaveWithoutAPictureChangeKeepsThePicture) {
    ManagerPictures f;
    f.choose("交通信号");
    f.type(f.text2(), "改过的答案");
    f.click("cmdSave");
    EXPECT_EQ(f.stored("reg.ocx", "a 标志"), kSvg);
    EXPECT_EQ(f.rows("reg.ocx", "select Chinese from Word where English = 'a 标志'"),
              QStringList({"改过的答案"}));
}

TEST(EditorPicture, BadFilesAreRefusedWithAMessage) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");
    f.chooseFile(f.fileWith("notes.png", "just some text"));
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].text.startsWith("“notes.png”不能作为题目的图片："))
        << f.messages[0].text.toStdString();
    EXPECT_EQ(f.messages[0].icon, MessageBox::Icon::Critical);
    f.chooseFile(f.fileWith("huge.png", PictureBytes::pngDeclaring(50000, 50000)));
    ASSERT_EQ(f.messages.size(), 2u);
    EXPECT_TRUE(f.messages[1].text.contains("尺寸过大")) << f.messages[1].text.toStdString();
    f.chooseFile(f.env.root() + "/missing.png");
    ASSERT_EQ(f.messages.size(), 3u);
    EXPECT_TRUE(f.messages[2].text.startsWith("无法读取文件"));
    EXPECT_FALSE(f.panel()->pendingChange().has_value());
    f.chosen.clear();  // cancelled
    f.action("pictureChoose")->trigger();
    EXPECT_EQ(f.messages.size(), 3u);
    f.click("cmdSave");
    EXPECT_EQ(f.stored("reg.ocx", "b 无图"), QByteArray());
}

TEST(EditorPicture, BackupIsTakenBeforeTheColumnIsAdded) {
    PictureFixture f;
    BankSchema::build(f.env.file("reg.ocx"), BankSchema::Kind::Bank,
                      {{"交通信号", "旧题", "答", {}}}, Queries::kBankPassword,
                      BankSchema::Pictures::WithoutColumn);
    ASSERT_TRUE(f.open(EditorVariant::manager()));
    f.form->session().setBeforeFirstWrite(&BankBackup::make);
    const QString bak = BankBackup::pathFor(f.env.file("reg.ocx"));
    f.choose("交通信号");
    EXPECT_TRUE(f.panel()->thumbnail().isNull());
    f.chooseFile(f.fileWith("sign.svg", kSvg));
    EXPECT_FALSE(QFile::exists(bak)) << "a pending picture writes nothing";
    f.click("cmdSave");
    ASSERT_TRUE(QFile::exists(bak));
    EXPECT_FALSE(hasPictureColumn(bak)) << "the backup holds the file as it was";
    EXPECT_EQ(f.stored("reg.ocx", "旧题"), kSvg);
    EXPECT_TRUE(hasPictureColumn(f.env.file("reg.ocx")));
}

TEST(EditorPicture, ADroppedFileBecomesThePicture) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(f.fileWith("dropped.png", kPng))});
    mime.setText("/some/path");  // file managers send the path as text too
    for (QWidget* target : {static_cast<QWidget*>(f.panel()), static_cast<QWidget*>(f.text1())}) {
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
        ASSERT_EQ(f.panel()->pendingChange(), kPng);
        EXPECT_EQ(f.text1()->text(), "b 无图") << "the path is not typed into the box";
        f.action("pictureRemove")->trigger();
    }
    f.chooseFile(f.fileWith("dropped.png", kPng));
    f.click("cmdSave");
    EXPECT_EQ(f.stored("reg.ocx", "b 无图"), kPng);
}

TEST(EditorPicture, APastedImageIsStoredAsPng) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");
    QImage copied(64, 48, QImage::Format_RGB32);
    copied.fill(Qt::darkGreen);
    QGuiApplication::clipboard()->setText("文字");
    f.text2()->setFocus();
    f.text2()->selectAll();
    QTest::keyClick(f.text2(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.text2()->text(), "文字") << "text on the clipboard pastes into a text box";
    EXPECT_FALSE(f.panel()->pendingChange().has_value());
    f.text2()->setText("2");
    QGuiApplication::clipboard()->setImage(copied);
    QTest::keyClick(f.text2(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(f.panel()->pendingChange().has_value()) << "an image alone pastes as the picture";
    EXPECT_EQ(f.text2()->text(), "2");
    f.panel()->setFocus();
    QTest::keyClick(f.panel(), Qt::Key_Delete);
    EXPECT_FALSE(f.panel()->pendingChange().has_value());
    QTest::keyClick(f.panel(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(f.panel()->pendingChange().has_value());
    f.click("cmdSave");
    const QByteArray bytes = f.stored("reg.ocx", "b 无图");
    EXPECT_EQ(PictureDecoder::format(bytes), "png");
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes));
    EXPECT_EQ(back.size(), copied.size());
    EXPECT_EQ(back.pixelColor(10, 10), QColor(Qt::darkGreen));
    QGuiApplication::clipboard()->clear();
}

TEST(EditorPicture, DuplicateKeepsThePendingPicture) {
    ManagerPictures f;
    f.choose("交通信号");
    f.click("cmdNext");
    // The same text with the same picture is the same question.
    f.chooseFile(f.fileWith("sign.svg", kSvg));
    f.type(f.text1(), "a 标志");
    f.click("cmdSave");
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].text, "Duplicate record !");
    EXPECT_EQ(f.panel()->pendingChange(), kSvg);
    f.type(f.text1(), "b 无图");
    f.click("cmdSave");
    EXPECT_EQ(f.stored("reg.ocx", "b 无图"), kSvg);
}

TEST(EditorPicture, StudyAddsAQuestionWithItsPictureAndShowsItAtTheFootOfTheList) {
    PictureFixture f;
    f.env.makePersonalList({{{}, "旧问题", "旧答案", {}}});
    ASSERT_TRUE(f.open(EditorVariant::study()));
    auto* list = f.w<FootedList>("List1");
    const QRect listBox = EditorVariant::study().geometry.value("List1");
    EXPECT_FALSE(list->footShown()) << "no picture: the list keeps all its room";
    EXPECT_FALSE(f.panel()->isVisible());
    EXPECT_EQ(f.w("cmdPicture")->geometry(), EditorVariant::study().pictureButton);
    const int fullHeight = list->viewport()->height();
    f.click("CmdAdd");
    f.chooseFile(f.fileWith("sign.svg", kSvg));
    EXPECT_TRUE(list->footShown()) << "the chosen picture shows before the save";
    EXPECT_TRUE(f.panel()->isVisible());
    EXPECT_EQ(list->geometry(), listBox);
    EXPECT_LT(list->viewport()->height(), fullHeight);
    EXPECT_EQ(f.panel()->geometry().top(), list->viewport()->geometry().bottom() + 1);
    f.type(f.text1(), "新问题");
    f.type(f.text2(), "新答案");
    f.click("cmdSave");
    EXPECT_TRUE(f.messages.empty());
    EXPECT_FALSE(list->footShown()) << "ready for the next question, without a picture";
    EXPECT_EQ(f.listEntries(), QStringList({"旧问题", "新问题"}));
    f.clickRow(1);
    EXPECT_TRUE(list->footShown());
    EXPECT_FALSE(f.panel()->thumbnail().isNull());
    f.clickRow(0);
    EXPECT_FALSE(list->footShown());
    EXPECT_EQ(list->viewport()->height(), fullHeight);
    EXPECT_EQ(f.stored("word.ocx", "新问题"), kSvg);
}

TEST(EditorPicture, StudyPastesAnImageFileFromTheClipboard) {
    PictureFixture f;
    f.env.makePersonalList({{{}, "问题", "答案", kPng}});
    ASSERT_TRUE(f.open(EditorVariant::study()));
    EXPECT_TRUE(f.w<FootedList>("List1")->footShown());
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(f.fileWith("sign.svg", kSvg))});
    QGuiApplication::clipboard()->setMimeData(mime);
    f.list()->setFocus();
    QTest::keyClick(f.list(), Qt::Key_V, Qt::ControlModifier);  // reaches the form
    ASSERT_EQ(f.panel()->pendingChange(), kSvg) << "the file's own bytes";
    f.click("cmdSave");
    EXPECT_EQ(f.stored("word.ocx", "问题"), kSvg);
    QGuiApplication::clipboard()->clear();
}

TEST(EditorPicture, StudyFitsTheFirstRecordsPictureToThePanelAsLaidOut) {
    // The first record is shown while the form loads, before the foot of the
    // list has its size: its picture must still fill the panel once shown.
    PictureFixture f;
    const QByteArray wide = PictureBytes::encoded("PNG", 1000, 200, Qt::darkGreen);
    f.env.makePersonalList({{{}, "a 有图", "答", wide}, {{}, "b 无图", "答", {}}});
    ASSERT_TRUE(f.open(EditorVariant::study()));
    ASSERT_TRUE(f.w<FootedList>("List1")->footShown());
    auto logical = [&f] {
        const QImage t = f.panel()->thumbnail();
        return (QSizeF(t.size()) / t.devicePixelRatio()).toSize();
    };
    const QSize first = logical();
    const QSize panel = f.panel()->size();
    EXPECT_GT(first.width(), panel.width() * 3 / 4)
        << first.width() << "x" << first.height() << " in " << panel.width() << "x"
        << panel.height();
    EXPECT_LE(first.width(), panel.width());
    EXPECT_LE(first.height(), panel.height());
    // The same as when the record is shown again in the laid-out form.
    f.clickRow(1);
    f.clickRow(0);
    EXPECT_EQ(logical(), first);
    // A narrower list narrows the picture at its foot.
    f.list()->resize(f.list()->width() - 40, f.list()->height());
    EXPECT_LE(logical().width(), f.panel()->width());
    EXPECT_LT(logical().width(), first.width());
}

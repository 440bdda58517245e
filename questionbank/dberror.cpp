// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/dberror.h"

#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <QFileInfo>

DbError::DbError(int number, const QString& message)
    : std::runtime_error(message.toStdString()), number_(number), message_(message) {}

DbError DbError::make(Number number, const QString& file) {
    const QString name = QFileInfo(file).fileName();
    QString text;
    switch (number) {
        case DuplicateKey: text = QStringLiteral("记录重复：已有相同的题目。"); break;
        case DiskFull: text = QStringLiteral("磁盘已满，无法写入数据库“%1”，这次保存没有完成。"); break;
        case FileNotFound: text = QStringLiteral("找不到数据库文件“%1”。"); break;
        case BadPassword: text = QStringLiteral("数据库“%1”的密码不正确，无法打开。"); break;
        case FileInUse: text = QStringLiteral("数据库“%1”正被其他程序独占使用，请先关闭它。"); break;
        case Damaged: text = QStringLiteral("数据库“%1”已损坏，无法读取。"); break;
        case ReadOnly: text = QStringLiteral("数据库“%1”或它所在的文件夹是只读的，无法写入。"); break;
        case NoTable: text = QStringLiteral("数据库“%1”中没有题目表 Word。"); break;
        case NoCurrentRecord: text = QStringLiteral("没有当前记录。"); break;
        case CannotUpdate:
            text = QStringLiteral(
                "数据库“%1”的题目表不是本程序的格式（字段 index 不是自动编号的整数主键），"
                "无法确定要改的是哪一条记录。为免改错或删错题目，这个文件只能查看，不能修改。");
            break;
        case ItemNotFound: text = QStringLiteral("数据库“%1”中没有这个字段。"); break;
        case NotADatabase: text = QStringLiteral("文件“%1”不是可识别的题库数据库。"); break;
        case IoError: text = QStringLiteral("读写数据库“%1”时出错，这次操作没有完成。"); break;
        case Other: text = QStringLiteral("数据库“%1”出错。"); break;
    }
    return DbError(number, text.contains(QLatin1String("%1")) ? text.arg(name) : text);
}

DbError DbError::fromSqlite(const SQLite::Exception& e, const QString& file) {
    const int ext = e.getExtendedErrorCode();
    const int primary = ext & 0xFF;
    Number n = Other;
    if (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY) n = DuplicateKey;
    else if (primary == SQLITE_FULL) n = DiskFull;
    else if (primary == SQLITE_NOTADB) n = NotADatabase;
    else if (primary == SQLITE_CORRUPT) n = Damaged;
    else if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) n = FileInUse;
    else if (primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN) n = ReadOnly;
    else if (primary == SQLITE_IOERR) n = ext == SQLITE_IOERR_SHORT_READ ? Damaged : IoError;
    DbError err = make(n, file);
    if (n == Other)
        return DbError(Other, err.message() + QStringLiteral("（") + QString::fromUtf8(e.what()) +
                                  QStringLiteral("）"));
    return err;
}

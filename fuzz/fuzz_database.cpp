// SPDX-License-Identifier: GPL-3.0-or-later
// A mutated question file opened and read the way Study, Manager and the
// editor do: the only failure allowed is a DbError (a clear message); any
// other exception, a crash or a sanitizer report is a finding.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "questionbank/categories.h"
#include "questionbank/database.h"
#include "questionbank/dberror.h"
#include "questionbank/queries.h"
#include "questionbank/recordset.h"

namespace {
QTemporaryDir* dir;

void readAll(RecordSet& rs) {
    for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext()) {
        for (const QString& c : rs.columns()) (void)rs.field(c);
        (void)rs.picture();  // read on demand, opening the file again when detached
    }
}

void readOnlyUse(const QString& path) {
    try {
        auto db = Database::open(path, {.readOnly = true}, Queries::kBankConnect);
        for (const QString& q : {Queries::displayAll(), Queries::personalList(),
                                 Queries::displayCategory(Categories::names().at(0))}) {
            try {
                auto rs = RecordSet::open(db, q);
                rs->detach();
                readAll(*rs);
            } catch (const DbError&) {
            }
        }
    } catch (const DbError&) {
    }
}

void editorUse(const QString& path) {
    try {
        auto db = Database::open(path, {.exclusive = true}, Queries::kBankConnect);
        auto rs = RecordSet::open(db, Queries::studyEditor());
        readAll(*rs);
        rs->AddNew();
        rs->setField(QStringLiteral("English"), QStringLiteral("fuzz question"));
        rs->setField(QStringLiteral("Chinese"), QStringLiteral("fuzz answer"));
        rs->Update();
        rs->MoveFirst();
        if (rs->hasCurrent()) rs->Delete();
    } catch (const DbError&) {
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = dir->path() + QStringLiteral("/reg.ocx");
    for (const char* suffix : {"", "-journal"}) QFile::remove(path + QLatin1String(suffix));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    readOnlyUse(path);
    editorUse(path);
    return 0;
}

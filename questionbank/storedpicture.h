// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

class Database;

// The picture bytes of one row of table Word, read through a connection
// that is already open: the display's own short read, or the editor's
// connection while the editor holds the file for itself.
namespace StoredPicture {

// Empty when the row has no picture or is gone; also empty, with the reason
// in `error`, when the read fails or the bytes exceed PictureDecoder::kMaxBytes
// (those are refused without being read). Never throws.
QByteArray read(Database& db, qint64 rowid, QString* error);

}  // namespace StoredPicture

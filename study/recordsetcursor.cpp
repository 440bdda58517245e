// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/recordsetcursor.h"

#include "questionbank/columns.h"
#include "questionbank/examfields.h"
#include "questionbank/recordset.h"
#include "study/datacontrol.h"
#include "study/examtext.h"

int RecordSetCursor::count() const {
    const RecordSet* rs = data_.Recordset();
    return rs ? rs->RecordCount() : 0;
}

void RecordSetCursor::move(int direction) {
    RecordSet* rs = data_.Recordset();
    if (!rs) return;
    if (direction >= 0) {
        if (rs->atEOF()) {
            rs->MoveFirst();
        } else {
            rs->MoveNext();
            if (rs->atEOF()) rs->MoveFirst();
        }
    } else if (rs->atBOF()) {
        rs->MoveLast();
    } else {
        rs->MovePrevious();
        if (rs->atBOF()) rs->MoveLast();
    }
}

bool RecordSetCursor::hasCurrent() const {
    const RecordSet* rs = data_.Recordset();
    return rs && rs->hasCurrent();
}

int RecordSetCursor::position() const {
    return data_.Recordset()->AbsolutePosition() + 1;
}

QString RecordSetCursor::question() const {
    const RecordSet& rs = *data_.Recordset();
    return ExamText::question(rs.text(Columns::kEnglish), ExamFields::of(rs));
}

QString RecordSetCursor::answer() const {
    const RecordSet& rs = *data_.Recordset();
    const bool explained = explanationShown_ && explanationShown_();
    return ExamText::answer(rs.text(Columns::kChinese), ExamFields::of(rs), explained);
}

bool RecordSetCursor::examForm() const {
    return hasCurrent() && ExamText::isExamForm(ExamFields::of(*data_.Recordset()));
}

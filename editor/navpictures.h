// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>

// The small pictures of the editor's image buttons: arrows 11 x 16 and the
// add picture 16 x 16, in a few flat colours.
namespace NavPictures {
enum class Kind { First, Previous, Next, Last, Add };
QPixmap picture(Kind kind);
// Manager's 32 x 32 window icon.
QPixmap managerIcon();
}  // namespace NavPictures

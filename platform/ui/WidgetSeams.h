#pragma once
// The widget implementations of the message-box and file-dialog seams, installed by the program.
#include <QString>

namespace tandor {
void installWidgetSeams();

// A message's text as a message box shows it: the program's texts break lines with CR (as the
// boxes of other systems read them) or CR LF, which a Qt label shows only as LF.
QString MessageBoxText(const QString& text);
}  // namespace tandor

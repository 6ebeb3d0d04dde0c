#pragma once
// The widget implementations of the message-box and file-dialog seams, installed by the program.
namespace tandor {
void installWidgetSeams();
}

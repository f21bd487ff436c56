#pragma once

#include <QString>

namespace corvalen {

// Modal message boxes. Style 0 shows OK only; style 1 shows OK and Cancel.
namespace MsgBoxStyle {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
} // namespace MsgBoxStyle

namespace MsgBoxResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
} // namespace MsgBoxResult

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows the box and returns the button pressed once it is closed.
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
};

} // namespace corvalen

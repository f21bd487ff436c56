#pragma once

#include "toolkit/dialogs.h"

namespace corvalen {

class QtDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
};

} // namespace corvalen

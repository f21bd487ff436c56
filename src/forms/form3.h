#pragma once

#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"

namespace corvalen {

// The splash window: the program's picture with a large counter over it.
class Form3 : public Form {
    Q_OBJECT
public:
    Form3();

    PictureBox Picture1;
    Label Label1;
    Timer Timer1;

    int SplashTicks = 0;
};

} // namespace corvalen

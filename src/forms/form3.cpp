#include "form3.h"

namespace corvalen {

Form3::Form3()
    : Form(1110, 1080, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Picture1(this)
    , Label1(Picture1.inner())
{
    setCaption(QStringLiteral("Form3"));
    Picture1.move(0, 0, 1106, 1075);
    Picture1.setTabIndex(0);
    Label1.move(315, 165, 735, 855);
    Label1.setTabIndex(1);
    Label1.setCaption(QStringLiteral("0"));
    Label1.setFont({ QString::fromUtf8("黑体"), 36, 400 });
}

} // namespace corvalen

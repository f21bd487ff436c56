#include "form2.h"

#include "forms/components.h"

namespace corvalen {

Form2::Form2(ComponentFactory& components)
    // A tool window has no taskbar button; staying on top is what keeps it over the main window.
    : Form(7950, 5295, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , Frame1(this)
    , Frame2(Frame1.inner())
    , Label1(Frame2.inner())
    , Command1(Frame1.inner(), ButtonStyle::Standard)
    , WebBrowser1(components.createPane(Frame1.inner(), QStringLiteral("Form2.WebBrowser1")))
{
    setCaption(QStringLiteral("Form2"));
    setFixedSize(size());
    Frame1.move(0, -90, 7935, 5395);
    Frame1.setTabIndex(0);
    WebBrowser1.move(165, 600, 7590, 4620);
    WebBrowser1.setTabIndex(4);
    Command1.move(7545, 90, 375, 405);
    Command1.setTabIndex(2);
    Command1.setCaption(QStringLiteral("x"));
    Command1.setFont({ QString::fromUtf8("黑体"), 12, 400 });
    Frame2.move(570, 0, 6735, 495);
    Frame2.setTabIndex(1);
    Label1.move(3120, 195, 855, 195);
    Label1.setTabIndex(3);
    Label1.setCaption(QString::fromUtf8("软件说明"));
    stackFrontToBack({ &WebBrowser1, &Command1, &Frame2 });
}

} // namespace corvalen

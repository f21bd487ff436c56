#include "form1.h"

#include "forms/captions.h"
#include "forms/components.h"
#include "release.h"

#include <QIcon>

namespace corvalen {

namespace {
QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void place(Control& control, float left, float top, float width, float height, int tab)
{
    control.move(left, top, width, height);
    control.setTabIndex(tab);
}

auto buttons(QWidget* parent, ButtonStyle style)
{
    return [parent, style](int) { return std::make_unique<Button>(parent, style); };
}

template <typename T> auto controlsIn(QWidget* parent)
{
    return [parent](int) { return std::make_unique<T>(parent); };
}

auto optionsIn(Frame& frame)
{
    return [&frame](int) { return std::make_unique<OptionButton>(frame.inner(), frame.options()); };
}
} // namespace

Form1::Form1(ComponentFactory& components, const QString& contactQq)
    : Form(15240, 9030)
    , Frame1(this)
    , Frame2(this)
    , Frame3(this)
    , Frame4(this)
    , Frame5(this)
    , Command1(5, buttons(this, ButtonStyle::Graphical))
    , Command2(4, buttons(Frame2.inner(), ButtonStyle::Standard))
    , Command3(3,
          [this](int i) {
              return std::make_unique<Button>(
                  i == 2 ? static_cast<QWidget*>(this) : Frame4.inner(), ButtonStyle::Standard);
          })
    , Command4(5, buttons(this, ButtonStyle::Graphical))
    , Command5(16, buttons(this, ButtonStyle::Graphical))
    , Command6(this, ButtonStyle::Graphical)
    , Command7(this, ButtonStyle::Standard)
    , Command8(this, ButtonStyle::Standard)
    , Check1(Frame2.inner())
    , Check2(Frame3.inner())
    , Check3(2, controlsIn<CheckBox>(Frame4.inner()))
    , Option1(4, optionsIn(Frame2))
    , Option2(4, optionsIn(Frame3))
    , Text1(2, controlsIn<TextBox>(Frame4.inner()))
    , Text2(Frame5.inner())
    , Label1(Frame4.inner())
    , Label2(Frame5.inner())
    , Label3(2, controlsIn<Label>(Frame1.inner()))
    , Label4(Frame5.inner())
    , Label5(Frame1.inner())
    , WebBrowser1(components.createPane(this, QStringLiteral("WebBrowser1")))
    , WebBrowser2(components.createPane(this, QStringLiteral("WebBrowser2")))
    , WebBrowser3(components.createPane(this, QStringLiteral("WebBrowser3")))
    , WebBrowser4(components.createPane(this, QStringLiteral("WebBrowser4")))
    , WebBrowser5(components.createPane(this, QStringLiteral("WebBrowser5")))
    , WebBrowser6(components.createPane(this, QStringLiteral("WebBrowser6")))
    , WindowsMediaPlayer1(this, components.createPlayer(this))
{
    setCaption(QStringLiteral("Corvalen ") + releaseNumber() + QStringLiteral(" "));
    setWindowIcon(QIcon(QStringLiteral(":/res/corvalen.ico")));
    setFont(toQFont({ text("宋体"), 9, 400 }));
    centreOnScreen();
    setWindowStateValue(WindowState::Maximized);

    designTopStrip();
    designBrowsingArea(contactQq);
    designStacking();
    designTabOrder();
}

Form1::~Form1() = default;

void Form1::designTopStrip()
{
    place(Command6, 12240, 10, 907, 870, 34);
    Command6.setCaption(startWatchCaption());
    Command6.setBackColor(Colors::Red);
    place(Command8, 13200, 10, 907, 870, 65);
    Command8.setCaption(text("软件说明"));

    place(Frame2, 1440, 398, 6735, 500, 10);
    const char* ranges[] = { "1~5件", "6~10件", "11~20件", "21以上" };
    const float rangeLefts[] = { 1320, 2760, 4080, 5400 };
    for (int k = 0; k < 4; ++k) {
        place(Command2(k), 2400 + 1320 * k, 135, 300, 300, 16 + k);
        Command2(k).setCaption(QStringLiteral(">"));
        Command2(k).setToolTipText(text("提示音") + QString::number(k + 1));
        place(Option1(k), rangeLefts[k], 180, 1095, 250, 12 + k);
        Option1(k).setCaption(text(ranges[k]));
    }
    place(Check1, 120, 180, 2175, 250, 11);
    Check1.setCaption(text("搜索数量"));

    place(Frame3, 1440, -75, 6735, 490, 20);
    const char* intervals[] = { "10秒/次", "20秒/次", "30秒/次", "60秒/次" };
    for (int k = 0; k < 4; ++k) {
        place(Option2(k), rangeLefts[k], 160, k == 3 ? 975 : 1095, 255, 22 + k);
        Option2(k).setCaption(text(intervals[k]));
    }
    place(Check2, 120, 180, 2175, 255, 21);
    Check2.setCaption(text("刷新时间"));

    place(Frame4, 8280, -80, 3855, 975, 26);
    place(Command3(0), 3240, 190, 300, 300, 32);
    place(Command3(1), 3240, 555, 300, 300, 33);
    place(Command3(2), 9960, 1320, 300, 300, 67);
    for (int k = 0; k < 3; ++k) {
        Command3(k).setCaption(QStringLiteral(">"));
        Command3(k).setToolTipText(text("提示音") + QString::number(k == 2 ? 6 : k + 5));
    }
    place(Text1(0), 1920, 180, 1215, 300, 29);
    place(Text1(1), 1905, 555, 1215, 300, 31);
    place(Check3(0), 960, 210, 975, 255, 28);
    place(Check3(1), 945, 585, 975, 255, 30);
    Check3(0).setCaption(text("关键词1"));
    Check3(1).setCaption(text("关键词2"));
    place(Label1, 195, 240, 735, 585, 27);
    Label1.setCaption(text("关键词 搜  索  设  定"));

    place(Frame5, 360, -80, 1095, 975, 54);
    place(Text2, 450, 225, 555, 270, 56);
    place(Label4, 75, 615, 975, 255, 57);
    Label4.setCaption(text("件全额宝贝"));
    place(Label2, 60, 270, 495, 495, 55);
    Label2.setCaption(text("发现"));
}

void Form1::designBrowsingArea(const QString& contactQq)
{
    const char* tabs[] = { "全额兑换助手", "淘金币领取", "每日聚划算", "名品折扣", "天天特价" };
    const float tabTops[] = { 360, 1560, 2760, 3960, 5400 };
    for (int i = 0; i < 5; ++i) {
        place(Command1(i), 0, tabTops[i], 375, 1215, i);
        Command1(i).setCaption(text(tabs[i]));
    }

    const char* steps[] = {
        "1、点此打开阿里旺旺(家用电脑建议勾选“记住密码”和“自动登录”)",
        "2、从页面点登录，搜索到已登录用户，再点登录，返回淘金币页面，点击领取XX淘金币。",
        "3、在完成领取淘金币弹页中，点击帮领淘金币每日帮领淘金币，选择全部好友，帮领淘金币。",
        "4、点此进入我的店铺收藏，删除昨天收藏的店铺。",
        "5、点此领取今天的店铺淘金币。",
    };
    const int stepTabs[] = { 61, 60, 59, 58, 68 };
    for (int i = 0; i < 5; ++i) {
        place(Command4(i), 1080 + 2040 * i, 960, 2055, 600, stepTabs[i]);
        Command4(i).setCaption(text(steps[i]));
    }

    for (int i = 0; i < 16; ++i) {
        place(Command5(i), 13680, 2040 + 240 * i, 298, 300, 35 + i);
        Command5(i).setCaption(QString::number(i + 1));
        Command5(i).setFont({ text("宋体"), 7.5, 400 });
    }

    place(Command7, 1920, 2760, 230, 300, 62);
    Command7.setCaption(QStringLiteral("<"));

    place(WebBrowser1, 1320, 7560, 12375, 1500, 7);
    place(WebBrowser2, 360, 1800, 12255, 6135, 8);
    place(WebBrowser3, 600, 2085, 12255, 5175, 9);
    place(WebBrowser4, 49272, 1320, 975, 375, 63);
    place(WebBrowser5, 14160, 1080, 735, 6375, 51);
    place(WebBrowser6, 10920, 1200, 1695, 735, 66);
    place(WindowsMediaPlayer1, 8760, 1560, 375, 255, 64);

    place(Frame1, 7, 7465, 1312, 1580, 5);
    place(Label3(0), 240, 360, 720, 360, 53);
    place(Label3(1), 240, 600, 720, 360, 52);
    Label3(0).setCaption(text("广告展位"));
    Label3(1).setCaption(text("欢迎垂询"));
    place(Label5, 210, 960, 840, 420, 6);
    Label5.setCaption(text("联系QQ：") + contactQq);
    Label5.setCentered(true);
}

void Form1::designStacking()
{
    stackFrontToBack({ &Command4(4), &Command7, &WebBrowser4, &Command4(0), &Command4(1),
        &Command4(2), &Command4(3), &Command5(8), &Command5(0), &WebBrowser5, &WebBrowser3,
        &Command5(1), &WebBrowser2, &Command5(15), &Command5(14), &Command5(13), &Command5(12),
        &Command5(11), &Command5(10), &Command5(9), &Command5(7), &Command5(6), &Command5(5),
        &Command5(4), &Command5(3), &Command5(2), &Command6, &Frame4, &Frame3, &Frame2,
        &WebBrowser1, &Command1(4), &Command1(3), &Command1(2), &Command1(1), &Command1(0), &Frame1,
        &Frame5, &Command8, &WebBrowser6, &Command3(2), &WindowsMediaPlayer1 });
    stackFrontToBack(
        { &Command3(1), &Command3(0), &Text1(1), &Check3(1), &Text1(0), &Check3(0), &Label1 });
    stackFrontToBack({ &Option2(3), &Option2(2), &Option2(1), &Option2(0), &Check2 });
    stackFrontToBack({ &Command2(3), &Command2(2), &Command2(1), &Command2(0), &Option1(3),
        &Option1(2), &Option1(1), &Option1(0), &Check1 });
    stackFrontToBack({ &Label3(1), &Label5, &Label3(0) });
    stackFrontToBack({ &Text2, &Label4, &Label2 });
}

void Form1::designTabOrder()
{
    // Every control that takes the focus; the order comes from their tab indices.
    orderTabs({ &Command1(0), &Command1(1), &Command1(2), &Command1(3), &Command1(4), &Check1,
        &Option1(0), &Option1(1), &Option1(2), &Option1(3), &Command2(0), &Command2(1),
        &Command2(2), &Command2(3), &Check2, &Option2(0), &Option2(1), &Option2(2), &Option2(3),
        &Check3(0), &Text1(0), &Check3(1), &Text1(1), &Command3(0), &Command3(1), &Command3(2),
        &Command6, &Command5(0), &Command5(1), &Command5(2), &Command5(3), &Command5(4),
        &Command5(5), &Command5(6), &Command5(7), &Command5(8), &Command5(9), &Command5(10),
        &Command5(11), &Command5(12), &Command5(13), &Command5(14), &Command5(15), &Text2,
        &Command4(0), &Command4(1), &Command4(2), &Command4(3), &Command4(4), &Command7, &Command8,
        &WebBrowser1, &WebBrowser2, &WebBrowser3, &WebBrowser4, &WebBrowser5, &WebBrowser6,
        &WindowsMediaPlayer1 });
}

} // namespace corvalen

#include "main_window_layout.h"

#include "forms/form1.h"

#include <cmath>
#include <cstdint>

namespace corvalen {

namespace {
// Screens wider than 1024 pixels show the advertisement pane beside the browsing area.
constexpr float kWideScreenTwips = 15365.0f;
constexpr float kMinimumClientWidth = 4390.0f;
constexpr float kMinimumClientHeight = 2780.0f;

// The products of the advertisement-button row are 16-bit integers before they become
// positions.
float rowOffset(int column)
{
    return static_cast<float>(static_cast<std::int16_t>(column * 500));
}
} // namespace

MainWindowLayout::MainWindowLayout(Form1& form)
    : QObject(&form)
    , m_form(form)
{
    // No formula gives a negative size inside this client area.
    form.setMinimumSize(static_cast<int>(std::ceil(kMinimumClientWidth / kTwipsPerPixel)),
        static_cast<int>(std::ceil(kMinimumClientHeight / kTwipsPerPixel)));
    form.Resize.connect(this, [this] { resize(); });
}

void MainWindowLayout::resize()
{
    Form1& f = m_form;
    if (f.windowStateValue() == WindowState::Minimized)
        return;
    const float w = f.ScaleWidth();
    const float h = f.ScaleHeight();
    const float x0 = f.ScaleLeft();
    const float y0 = f.ScaleTop();

    for (int i = 0; i <= 4; ++i) {
        Button& step = f.Command4(i);
        step.setWidth((w - 4000.0f - 390.0f) / 5.0f);
        step.setTop(y0);
        step.setLeft(static_cast<float>(i) * step.Width() + (x0 + 380.0f));
        step.setHeight(900);
    }
    f.WebBrowser1.setWidth(w - 3950.0f);
    f.WebBrowser1.setHeight(1480);
    f.WebBrowser1.setTop(h - f.WebBrowser1.Height());
    f.WebBrowser1.setLeft(1320);
    for (int i = 0; i <= 4; ++i) {
        Button& tab = f.Command1(i);
        tab.setWidth(380);
        tab.setHeight((h - f.WebBrowser1.Height() + 15.0f) / 5.0f);
        tab.setTop(static_cast<float>(i) * tab.Height() + y0);
    }
    f.Frame1.setHeight(1580);
    f.Frame1.setWidth(1320);
    f.Frame1.setLeft(7);
    f.Frame1.setTop(h - f.Frame1.Height());
    f.WebBrowser4.setTop(y0 + 1300.0f);
    f.WebBrowser4.setWidth(4030);
    f.WebBrowser4.setLeft(x0 + 380.0f);
    f.WebBrowser4.setHeight(h - 1300.0f - 1480.0f);
    f.Command7.setTop(f.WebBrowser4.Height() / 2.0f + 600.0f);
    f.Command7.setLeft(f.WebBrowser4.Width() + f.WebBrowser4.Left() - 490.0f);
    f.WebBrowser2.move(380, y0 + 870.0f, w - 4000.0f - 380.0f + 270.0f, h - 870.0f - 1480.0f);
    f.WebBrowser6.move(380, y0 + 870.0f, w - 4000.0f - 380.0f, h - 870.0f - 1480.0f);
    f.WebBrowser3.move(380, y0, w - 4000.0f - 380.0f, h - 1480.0f);

    if (f.screenWidthTwips() > kWideScreenTwips)
        wideLayout(w, h, y0);
    else
        narrowLayout(w);
}

void MainWindowLayout::wideLayout(float w, float h, float y0)
{
    Form1& f = m_form;
    f.WebBrowser5.setTop(y0 + 600.0f);
    f.WebBrowser5.setLeft(w - 4000.0f);
    f.WebBrowser5.setWidth(4000);
    f.WebBrowser5.setHeight(h - 600.0f);
    for (int i = 0; i <= 7; ++i) {
        f.Command5(i).setWidth(500);
        f.Command5(i).setTop(y0);
        f.Command5(i).setLeft(f.WebBrowser5.Left() + rowOffset(i));
    }
    for (int i = 8; i <= 15; ++i) {
        f.Command5(i).setWidth(500);
        f.Command5(i).setTop(308);
        f.Command5(i).setLeft(f.WebBrowser5.Left() + rowOffset(i - 8));
    }
}

void MainWindowLayout::narrowLayout(float w)
{
    Form1& f = m_form;
    f.WebBrowser5.setLeft(w + 40000.0f);
    f.WebBrowser2.setWidth(w - 380.0f + 270.0f);
    f.WebBrowser6.setWidth(w - 380.0f);
    f.WebBrowser3.setWidth(w - 380.0f);
    f.WebBrowser1.setWidth(w);
    for (int i = 0; i <= 15; ++i)
        f.Command5(i).setLeft(40000);
}

} // namespace corvalen

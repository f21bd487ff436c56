#include "heavy_pages.h"

#include <QtEndian>

namespace corvalen::testing {

namespace {

constexpr int kCards = 330; // six elements each, about 2,000 in all
constexpr int kPictures = 12;
constexpr int kPictureSide = 48;

// An uncompressed 24-bit bitmap, so that every picture costs its full size to decode and hold.
QByteArray bitmap(int seed)
{
    const int rowBytes = kPictureSide * 3;
    const int pixelBytes = rowBytes * kPictureSide;
    QByteArray file(54 + pixelBytes, '\0');
    auto put32 = [&file](int at, quint32 value) { qToLittleEndian(value, file.data() + at); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<quint32>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kPictureSide);
    put32(22, kPictureSide);
    qToLittleEndian<quint16>(1, file.data() + 26);
    qToLittleEndian<quint16>(24, file.data() + 28);
    put32(34, static_cast<quint32>(pixelBytes));
    for (int i = 0; i < pixelBytes; ++i)
        file[54 + i] = static_cast<char>((i * 7 + seed * 31 + (i / rowBytes) * 13) & 0xff);
    return file;
}

QByteArray head(const QString& title)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"
        + title.toHtmlEscaped().toUtf8()
        + "</title><style>"
          "@keyframes spin { from { transform: rotate(0deg); } to { transform: rotate(360deg); } }"
          ".spinner { width: 40px; height: 40px; background: #f60; animation: spin 1s linear "
          "infinite; }"
          ".card { display: inline-block; width: 180px; margin: 4px; border: 1px solid #ddd; }"
          "</style></head>";
}

QByteArray notice()
{
    return QString::fromUtf8(
        "<p class=\"notice\">模拟页面：这是一个用于测量的模拟商城页面，不是真正的网站。"
        " A simulation of a heavy shop page, for measurements only.</p>")
        .toUtf8();
}

QByteArray pictures(bool moving)
{
    QByteArray html = "<div id=\"carousel\">";
    for (int i = 0; i < kPictures; ++i)
        html += "<img alt=\"\" width=\"96\" height=\"96\" src=\"data:image/bmp;base64,"
            + bitmap(i).toBase64() + "\">";
    return html + (moving ? "</div><div class=\"spinner\"></div>" : "</div>");
}

QByteArray cards()
{
    QByteArray html = "<div class=\"cards\">";
    for (int i = 0; i < kCards; ++i) {
        html
            += QStringLiteral("<div class=\"card\"><a href=\"#c%1\"><span>Simulated goods %1</span>"
                              "</a><p>A long description of simulated goods number %1, written out"
                              " to give the page the weight of a real one.</p><b>%2</b><i>%3</i>"
                              "</div>")
                   .arg(i)
                   .arg(i * 17 % 1000)
                   .arg(QString(40, QLatin1Char('*')))
                   .toUtf8();
    }
    return html + "</div>";
}

QByteArray scripts(bool moving)
{
    const QByteArray heap
        = "window.simulatedHeap = [];"
          "for (var i = 0; i < 150000; ++i) window.simulatedHeap.push({ id: i,"
          " name: 'simulated goods ' + i, price: i * 3, tags: ['t' + i, 'u' + i] });";
    const QByteArray carousel
        = "setInterval(function () { var c = document.getElementById('carousel');"
          " if (c && c.firstElementChild) c.appendChild(c.firstElementChild); }, 100);";
    return "<script>" + heap + (moving ? carousel : QByteArray()) + "</script>";
}

} // namespace

QByteArray heavyShopPage(const QString& title)
{
    return head(title) + "<body>" + notice() + pictures(true) + cards() + scripts(true)
        + "</body></html>";
}

QByteArray heavyListPage(int goods)
{
    QByteArray list = "<div class=\"full-goods-list\"><ul>";
    for (int i = 0; i < goods; ++i)
        list
            += QString::fromUtf8("<li><b>可用金币兑换</b> simulated goods %1</li>").arg(i).toUtf8();
    list += "</ul></div><div class=\"pagination\">1</div>";
    return head(QStringLiteral("full exchange")) + "<body>" + notice() + list + pictures(false)
        + cards() + scripts(false) + "</body></html>";
}

} // namespace corvalen::testing

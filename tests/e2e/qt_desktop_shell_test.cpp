#include "eventually.h"
#include "platform/qt_desktop_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

// A program in a folder with blanks in its name starts by its path, with nothing split.
TEST(QtDesktopShellTest, StartsAProgramWhosePathHoldsBlanks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Program Files (x86)/Ali Wang Wang"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString marker = dir.filePath(QStringLiteral("started"));
    const QString program = folder + QStringLiteral("/aliim.exe");
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QtDesktopShell shell;
    EXPECT_TRUE(shell.startProgram(program, StartWindow::Minimized));
    EXPECT_EVENTUALLY(QFile::exists(marker), 5000);
    EXPECT_FALSE(
        shell.startProgram(folder + QStringLiteral("/missing.exe"), StartWindow::Minimized));
}

// Stands in for the system's handlers of each scheme: an address it takes is opened.
class SystemHandlers : public QObject {
    Q_OBJECT
public:
    const QStringList schemes = { QStringLiteral("http"), QStringLiteral("https"),
        QStringLiteral("qrc"), QStringLiteral("file"), QStringLiteral("javascript") };
    SystemHandlers()
    {
        for (const QString& scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~SystemHandlers() override
    {
        std::for_each(schemes.begin(), schemes.end(), &QDesktopServices::unsetUrlHandler);
    }
    Q_INVOKABLE void open(const QUrl&) { }
};

// Only web pages reach the system, which would ask which program should open any other address.
TEST(QtDesktopShellTest, OpensOnlyWebPagesInTheUsersBrowser)
{
    SystemHandlers system;
    QtDesktopShell shell;
    for (const char* url : { "http://maker.example/corvalen.htm", "https://a.b/",
             "qrc:/site/corvalen.htm", "file:///etc/passwd", "javascript:0", "" })
        EXPECT_EQ(shell.openUrl(QString::fromLatin1(url)), QByteArray(url).startsWith("http"))
            << url;
}

} // namespace

#include "qt_desktop_shell_test.moc"

#include "eventually.h"
#include "platform/qt_desktop_shell.h"

#include <QFile>
#include <QTemporaryDir>
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

TEST(QtDesktopShellTest, NoInstalledProgramsOutsideWindows)
{
    QtDesktopShell shell;
#ifndef Q_OS_WIN
    EXPECT_FALSE(shell.installedProgramFolder(QStringLiteral("aliim.exe")).has_value());
#endif
}

} // namespace

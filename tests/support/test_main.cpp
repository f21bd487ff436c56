#include <QApplication>
#include <QStyleFactory>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <unistd.h>
#endif

int main(int argc, char* argv[])
{
    // Tests never need a real display; the environment may still ask for one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifndef Q_OS_WIN
    // The browser engine refuses its sandbox to root, which is who runs the tests in CI.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

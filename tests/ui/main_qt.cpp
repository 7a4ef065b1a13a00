// GoogleTest with a QApplication for the widgets; offscreen by default.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // The document view's engine refuses to start as root without these.
    if (qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").isEmpty()) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrane V.1.0");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

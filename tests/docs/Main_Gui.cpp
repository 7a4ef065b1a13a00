// The tests of the windows run in one QApplication, offscreen, away from the user's settings.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    bool liste_seule = false;
    for (int i = 1; i < argc; ++i)
        liste_seule = liste_seule || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    ::testing::InitGoogleTest(&argc, argv);
    if (liste_seule)
        return RUN_ALL_TESTS();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

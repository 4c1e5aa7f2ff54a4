#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for every test of an executable: screen tests need it, and
// the plain ones do not mind it. The platform is offscreen (set by CTest).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

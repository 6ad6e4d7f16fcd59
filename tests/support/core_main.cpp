// The main of the engine suites: no GUI at all, as the engines have none.
#include "test_registry.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Mensurix"));
    return mx::test::runRegisteredTests(argc, argv);
}

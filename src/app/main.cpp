#include "app/application.h"

int main(int argc, char** argv)
{
    return mx::runMensurix(argc, argv);
}

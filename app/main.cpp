#include "app/application.h"

int main(int argc, char **argv)
{
    return pukalo::RunApplication(argc, argv);
}

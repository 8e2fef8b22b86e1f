#include "shell/uApplication.h"
#include "shell/uStartup.h"

int main(int argc, char* argv[])
{
    TZunoApplication app(argc, argv);
    return ZunoMain(TZunoApplication::arguments(), true);
}

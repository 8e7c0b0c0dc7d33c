// Built against the installed package only: proves the headers, the import
// library and the DLL work together for a host application.
#include "platform/kvExport.h"
#include <cstdio>

int main()
{
    std::printf("consumer: ok\n");
    return 0;
}

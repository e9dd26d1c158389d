#include "app/shellservices.h"

namespace
{
ShellServices *g_services = nullptr;
}

ShellServices *shellServices()
{
    return g_services;
}

void setShellServices(ShellServices *services)
{
    g_services = services;
}

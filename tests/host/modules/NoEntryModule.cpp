// A shared library that is no Control Panel module: it exports no CPlApplet.

extern "C" __attribute__((visibility("default"))) int NotAnApplet()
{
    return 42;
}

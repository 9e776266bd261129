// Preloaded into the tests of the sanitizer build: libraries stay mapped until the process
// ends. Qt unloads its plugins at exit, before the leak check runs; the memory the plugins
// still hold from their globals would then read as leaked, and every frame in them as an
// unknown module that the leak report looks up again and again (minutes per program).
extern "C" int dlclose(void *)
{
    return 0;
}

// Fontconfig keeps its caches for the life of the process and never frees them; the leak
// checker of the sanitizer build is told so. Nothing of ours is suppressed.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

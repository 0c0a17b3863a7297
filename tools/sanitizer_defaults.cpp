// Defaults of the sanitizer runtimes, linked into every program of a
// sanitizer or fuzz build. Options given in ASAN_OPTIONS, UBSAN_OPTIONS or
// LSAN_OPTIONS still take precedence.

extern "C" {

// A finding ends the run at once, with a trace that names files and lines.
const char* __asan_default_options() {
    return "detect_stack_use_after_return=1:check_initialization_order=1:"
           "strict_init_order=1:detect_leaks=1";
}

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// Leaks of system libraries that Qt loads (font configuration keeps caches
// for the life of the process); our own code gets no exemption.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

}

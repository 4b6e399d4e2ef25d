// The font libraries the PDF printer loads keep caches for the life of the
// process; the leak check at exit is told so here, so that the tests need
// no settings from outside. Never our code.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:libcairo.so\n";
}

// The leak check at exit reads the thread-local blocks of libraries loaded
// at run time (the spelling library) from its own record of them, which
// this toolchain's sanitizer can leave stale once such a library is
// unloaded: the check then crashes after every test has passed, or not,
// by how the heap happens to lie. Those blocks are reached through the
// thread's own storage anyway, so the record is not kept.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

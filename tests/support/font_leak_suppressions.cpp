// The font libraries the PDF printer loads keep caches for the life of the
// process; the leak check at exit is told so here, so that the tests need
// no settings from outside. Never our code.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:libcairo.so\n";
}

// A plug-in for the loader's tests: exports an answer and a call counter
// whose state shows whether the module was really unloaded in between.
extern "C" __attribute__((visibility("default"))) int TestPluginAnswer() { return 42; }

extern "C" __attribute__((visibility("default"))) int TestPluginCalls() {
  static int calls = 0;
  return ++calls;
}

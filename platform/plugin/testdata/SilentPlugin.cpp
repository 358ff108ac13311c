// A library for the loader's tests that exports nothing of its own.
namespace {
[[maybe_unused]] int Unexported() { return 7; }
}  // namespace

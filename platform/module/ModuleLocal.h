// Marks what each module keeps for itself. The module's own part is linked
// statically into every binary that plays a module (the server, a test
// program, the shared system); hidden symbols keep one binary from binding
// to another's copy, so no module counts another's objects. On Windows every
// DLL's symbols are its own already.
#pragma once

#if defined(__ELF__)
#define VIMARU_MODULE_LOCAL __attribute__((visibility("hidden")))
#else
#define VIMARU_MODULE_LOCAL
#endif

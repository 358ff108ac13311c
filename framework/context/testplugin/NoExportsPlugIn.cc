// A test plug-in that is a loadable library exporting neither entry: the
// toolbar must unload it and go on without it.
int VimaruTestLibraryWithoutPlugInEntries() { return 0; }
